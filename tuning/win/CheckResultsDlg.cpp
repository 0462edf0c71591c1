#include "tuning/win/CheckResultsDlg.h"

#include "database/ChannelDatabase.h"
#include "framework/CommandMap.h"
#include "framework/MessageBox.h"
#include "framework/UiText.h"
#include "resources/resource.h"
#include "tuning/ScanTexts.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace {

// Texts left, figures right; the heading in the wide call, as the cells.
void InsertColumn(HWND list, int column, const std::string& heading)
{
    std::wstring wide = WideText(heading);
    LVCOLUMNW item{};
    item.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM;
    item.fmt = kCheckColumns[static_cast<std::size_t>(column)] >= CheckColumn::Strength ? LVCFMT_RIGHT : LVCFMT_LEFT;
    item.pszText = wide.data();
    item.iSubItem = column;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
}

// The row's cell in the wide call: translated texts need not fit the ANSI code page.
void SetCell(HWND list, int row, int column, const std::string& text)
{
    std::wstring wide = WideText(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    if (column == 0) {
        item.mask = LVIF_TEXT;
        item.iItem = row;
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    } else {
        SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
}

bool CopyToClipboard(HWND owner, const std::string& text)
{
    const std::wstring wide = WideText(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr)
        return false;
    void* target = GlobalLock(memory);
    if (target == nullptr) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(target, wide.c_str(), bytes);
    GlobalUnlock(memory);
    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    if (!placed)
        GlobalFree(memory);   // the clipboard owns it only once placed
    return placed;
}

}   // namespace

CCheckResultsDlg::CCheckResultsDlg(const DialogTranslator& translator, std::vector<CheckRow> rows,
                                   std::size_t transponders, bool cancelled, CChannelDatabase& database,
                                   TuningSession& session)
    : CTranslatedDialog(IDD_SCAN_RESULTS, translator), rows(std::move(rows)), transponders(transponders),
      cancelled(cancelled), database(database), session(session)
{
}

MessageLookup CCheckResultsDlg::Lookup() const
{
    return [this](const char* key, const char* english) { return Text(key, english); };
}

BOOL CCheckResultsDlg::OnInitDialog()
{
    ApplyLanguageFile(languageFile);
    const MessageLookup text = Lookup();
    SetUiText(hwnd, TextOf(text, kCheckCaption));
    SetUiText(Item(IDC_SCAN_RESULT_SUMMARY), CheckSummaryText(rows, transponders, cancelled, text));
    list.Attach(hwnd, IDC_SCAN_RESULT_LIST);
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    for (std::size_t i = 0; i < kCheckColumns.size(); ++i)
        InsertColumn(list.Handle(), static_cast<int>(i), CheckColumnHeading(kCheckColumns[i], text));
    ShowRows();
    FitColumns();
    EnableItem(IDC_SCAN_REMOVE_UNLOCKED, UnlockedCount(rows) > 0);
    return TRUE;
}

bool CCheckResultsDlg::OnCommand(WORD code, WORD id, HWND)
{
    static const CommandEntry<CCheckResultsDlg> kCommands[] = {
        {BN_CLICKED, IDC_SCAN_COPY, &CCheckResultsDlg::OnCopy},
        {BN_CLICKED, IDC_SCAN_REMOVE_UNLOCKED, &CCheckResultsDlg::OnRemoveUnlocked},
        {BN_CLICKED, IDC_SCAN_CLOSE, &CCheckResultsDlg::OnClose},
    };
    return DispatchCommand(this, kCommands, code, id);
}

bool CCheckResultsDlg::OnNotify(NMHDR* header, LRESULT&)
{
    if (header == nullptr || header->idFrom != IDC_SCAN_RESULT_LIST || header->code != LVN_COLUMNCLICK)
        return false;
    const int column = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
    if (column < 0 || column >= static_cast<int>(kCheckColumns.size()))
        return false;
    ascending = column == sortColumn ? !ascending : true;
    sortColumn = column;
    SortCheckRows(rows, kCheckColumns[static_cast<std::size_t>(column)], ascending);
    ShowRows();
    return true;
}

// Each column as wide as its heading or its widest cell, in every language.
void CCheckResultsDlg::FitColumns() const
{
    // The header's and the cells' margins.
    constexpr int kMargin = 16;
    const MessageLookup text = Lookup();
    const auto width = [this](const std::string& shown) {
        const std::wstring wide = WideText(shown);
        return static_cast<int>(
            SendMessageW(list.Handle(), LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(wide.c_str())));
    };
    for (std::size_t i = 0; i < kCheckColumns.size(); ++i) {
        int widest = width(CheckColumnHeading(kCheckColumns[i], text));
        for (const CheckRow& row : rows)
            widest = std::max(widest, width(CheckCellText(row, kCheckColumns[i], text)));
        SendMessageW(list.Handle(), LVM_SETCOLUMNWIDTH, i, widest + kMargin);
    }
}

void CCheckResultsDlg::ShowRows()
{
    const MessageLookup text = Lookup();
    list.DeleteAllItems();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t column = 0; column < kCheckColumns.size(); ++column)
            SetCell(list.Handle(), static_cast<int>(row), static_cast<int>(column),
                    CheckCellText(rows[row], kCheckColumns[column], text));
    }
}

void CCheckResultsDlg::OnCopy() { CopyToClipboard(hwnd, CheckTableText(rows, Lookup())); }

void CCheckResultsDlg::OnRemoveUnlocked()
{
    const std::string question =
        FillPlaces(TextOf(Lookup(), kRemoveUnlockedQuestion), {std::to_string(UnlockedCount(rows))});
    if (!AskYesNo(hwnd, question))
        return;
    const CheckRemoval removal = RemoveUnlockedTransponders(database, rows);
    session.ApplyEffects(removal.effects);
    SetFocus(Item(IDC_SCAN_CLOSE));
    EnableItem(IDC_SCAN_REMOVE_UNLOCKED, false);
}
