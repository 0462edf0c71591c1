// A dialog whose texts come from a language file: it translates itself and
// shows its messages by key, with the built-in English text where the file
// has none.
#pragma once

#include "framework/Dialog.h"
#include "framework/Translator.h"

#include <initializer_list>
#include <string>

class CTranslatedDialog : public CDialog {
public:
    // languageFile: the file used until SetLanguageFile names one.
    CTranslatedDialog(UINT templateId, const DialogTranslator& translator, std::string languageFile = {});

    // An empty path keeps the file.
    void SetLanguageFile(const std::string& path);
    const std::string& LanguageFile() const { return languageFile; }

protected:
    // Translates the dialog from the file, which its messages then come
    // from; false, with neither changed, when the file cannot be read.
    bool ApplyLanguageFile(const std::string& file, std::initializer_list<ControlTextCopy> copies = {});
    std::string Text(const char* key, const char* english) const;
    // With the exclamation icon, owned by MessageOwner(); nothing for a null key.
    void ShowMessage(const char* key, const char* english) const;
    // Yes/No with the question icon, owned by MessageOwner().
    bool Ask(const char* key, const char* english) const;
    // The same for a rule's message: anything with a key and an English text.
    template <class MessageKey>
    void ShowMessage(const MessageKey& message) const
    {
        ShowMessage(message.key, message.english);
    }
    template <class MessageKey>
    bool Ask(const MessageKey& message) const
    {
        return Ask(message.key, message.english);
    }
    virtual HWND MessageOwner() const { return hwnd; }

    std::string languageFile;

private:
    const DialogTranslator& translator;
};
