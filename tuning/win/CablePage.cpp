#include "tuning/win/CablePage.h"

#include "resources/resource.h"

CCablePage::CCablePage() : CTabPage(IDD_CABLE_PAGE) {}
