#include "reception/win/PidPage.h"

#include "resources/resource.h"

CPidPage::CPidPage() : CTabPage(IDD_PID_PAGE) {}
