#include "tuning/win/TerrestrialPage.h"

#include "resources/resource.h"

CTerrestrialPage::CTerrestrialPage() : CTabPage(IDD_TERRESTRIAL_PAGE) {}
