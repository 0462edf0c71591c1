#include "tuning/win/DishPage.h"

#include "resources/resource.h"

CDishPage::CDishPage() : CTabPage(IDD_DISH_PAGE) {}
