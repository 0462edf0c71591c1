// Import... on the Dish, Cable and Terrestrial Setting pages: the standard
// Open dialog, the import into the page's database as an edit like any other
// (Apply enabled, nothing saved), and the summary box.
#pragma once

class CDatabasePage;
class TuningSession;

void ImportListIntoDatabase(const CDatabasePage& page, TuningSession& session);
