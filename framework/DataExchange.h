// Data exchange between a dialog's members and its controls, in the
// direction the dialog asks for (UpdateData).
#pragma once

#include <windows.h>

#include <string>

class CDialog;

class CDataExchange {
public:
    CDataExchange(CDialog& dialog, bool fromControls) : dialog(dialog), fromControls(fromControls) {}

    bool FromControls() const { return fromControls; }
    bool Failed() const { return failed; }
    // Marks the exchange as refused and puts the focus on the control.
    void Fail(int id);

    void Text(int id, std::string& value);
    // Numbers in decimal; a text that is not a number fails the exchange.
    void Number(int id, int& value);
    void Check(int id, int& value);
    // The selected index of a combo box (-1 for none).
    void ComboIndex(int id, int& value);
    // Radio buttons with the consecutive identifiers firstId to lastId: the
    // index of the checked one, -1 for none.
    void RadioIndex(int firstId, int lastId, int& index);

private:
    CDialog& dialog;
    bool fromControls;
    bool failed = false;
};
