#include "framework/TranslatedDialog.h"

#include "framework/MessageBox.h"

#include <utility>

CTranslatedDialog::CTranslatedDialog(UINT templateId, const DialogTranslator& translator, std::string languageFile)
    : CDialog(templateId), languageFile(std::move(languageFile)), translator(translator)
{
}

void CTranslatedDialog::SetLanguageFile(const std::string& path)
{
    if (!path.empty())
        languageFile = path;
}

bool CTranslatedDialog::ApplyLanguageFile(const std::string& file, std::initializer_list<ControlTextCopy> copies)
{
    if (!translator.Translate(hwnd, file, copies))
        return false;
    languageFile = file;
    return true;
}

std::string CTranslatedDialog::Text(const char* key, const char* english) const
{
    return translator.Message(languageFile, key, english);
}

void CTranslatedDialog::ShowMessage(const char* key, const char* english) const
{
    if (key != nullptr)
        ShowErrorMessage(MessageOwner(), Text(key, english));
}

bool CTranslatedDialog::Ask(const char* key, const char* english) const
{
    return AskYesNo(MessageOwner(), Text(key, english));
}
