// Which line of a language file changes what in a dialog.
//
// Every dialog reads the same file: a key of leading digits names a control,
// the words "Ok", "Cancel", "Page" and "Dialog" name the buttons, the main
// dialog's tabs and the captions. A dialog honours only the words that its
// `DialogLanguageKeys` name and ignores the rest, so one file serves all.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Which part of a value holding two texts separated by the first "/" is used.
// Without a "/" the part before it is empty and the part after it is the
// whole value.
enum class TextPart { Whole, BeforeSlash, AfterSlash };

std::string_view PartOfValue(std::string_view value, TextPart part);

struct DialogLanguageKeys {
    std::string captionKey;   // "Dialog1".."Dialog4"; empty: no caption key
    TextPart captionPart = TextPart::Whole;
    bool okKey = false;                 // "Ok..." names control 1, even with an empty value
    bool cancelKey = false;             // "Cancel..." names control 2, even with an empty value
    std::optional<int> tabDeviceKind;   // main dialog: "PageN" names a tab of this kind of card
    std::vector<int> slashControls;     // numbered controls whose value holds two texts
    TextPart slashControlPart = TextPart::Whole;
};

// The tab pages honour control numbers only.
DialogLanguageKeys TabPageLanguageKeys();
// Transponder Info ("Dialog2"), PID Info ("Dialog3") and the About box ("Dialog4").
DialogLanguageKeys CaptionDialogLanguageKeys(std::string captionKey);
// Satellite Info: "Dialog1" holds the satellite caption before "/" and the
// channel caption after it.
DialogLanguageKeys SatelliteInfoLanguageKeys(bool editsChannel);
// Change MAC Address: control numbers and "Cancel".
DialogLanguageKeys MacAddressLanguageKeys();
// The main dialog: its tabs by kind of card, OK, and the satellite list's
// group box (1001) and label (1003) with their satellite and channel texts.
DialogLanguageKeys MainDialogLanguageKeys(int deviceKind);

enum class LanguageTarget { None, Control, Caption, Tab };

struct LanguageLineAction {
    LanguageTarget target = LanguageTarget::None;
    int index = 0;   // control identifier or tab index
    std::string text;

    bool operator==(const LanguageLineAction&) const = default;
};

// The number at the start of a text as the C library's atoi reads it
// (leading blanks, a sign, then digits); 0 without digits, saturated at the
// limits of int.
int LeadingNumber(std::string_view text);

// The tab that "Page<number>" names for a kind of card: numbers up to 4 name
// the satellite tabs from 1, numbers from 10 the cable tabs, from 20 the
// terrestrial tabs. Nothing for numbers of another kind or below the first.
std::optional<int> TabIndexOfPage(int pageNumber, int deviceKind);

// What one line does in a dialog with these keys.
LanguageLineAction ActionOfLanguageLine(std::string_view key, std::string_view value, const DialogLanguageKeys& keys);

// The actions of a whole file's text, in file order, without the lines that do nothing.
std::vector<LanguageLineAction> LanguageActions(std::string_view fileText, const DialogLanguageKeys& keys);

// True when the language file at `path` is one of the two Chinese ones, which
// are stored in the ANSI code page and read as they are; every other file is
// UTF-16 and is read through its converted copy. The installation path is
// compared as stored and with the backslash the language list adds.
bool IsAnsiLanguageFile(const std::string& path, const std::string& installationPath);

// The file that a dialog reads for the language file at `path`: the file
// itself for the Chinese languages, else its converted copy "<path>.tmp".
std::string LanguageFileToRead(const std::string& path, const std::string& installationPath);
