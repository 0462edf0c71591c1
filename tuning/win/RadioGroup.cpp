#include "tuning/win/RadioGroup.h"

void ExchangeRadioIndex(CDataExchange& dx, HWND dialog, int firstId, int lastId, int& index)
{
    if (dx.FromControls()) {
        index = -1;
        for (int id = firstId; id <= lastId; ++id) {
            if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) {
                index = id - firstId;
                break;
            }
        }
        return;
    }
    for (int id = firstId; id <= lastId; ++id)
        CheckDlgButton(dialog, id, id - firstId == index ? BST_CHECKED : BST_UNCHECKED);
}
