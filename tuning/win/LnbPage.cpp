#include "tuning/win/LnbPage.h"

#include "resources/resource.h"

CLnbPage::CLnbPage() : CTabPage(IDD_LNB_PAGE) {}
