// Removal of the receiver's driver installation files from the system's INF
// folder: the first "oem<n>.inf" (n = 0 to 50) whose provider is the
// receiver's maker goes, with its precompiled ".PNF" beside it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

inline constexpr char kReceiverInfProvider[] = "VID Uzediraz";
inline constexpr int kLastOemInfNumber = 50;
// Room for a file name, terminator included (MAX_PATH). Longer names cannot
// be handed to the system's ANSI calls anyway, so they are skipped.
inline constexpr std::size_t kInfNameChars = 260;

// Exact and case-sensitive: another maker's file must never be removed.
bool IsReceiverInfProvider(std::string_view provider);

// The INF folder as the search sees it. The Windows one reads INF files with
// the system's INF parser; tests use a folder held in memory.
class CInfFolder {
public:
    virtual ~CInfFolder() = default;

    virtual bool Exists(const char* path) = 0;
    // The text of "Provider" in the section "Version"; nothing when the file
    // cannot be opened as an INF file or has no such key.
    virtual std::optional<std::string> ReadProvider(const char* path) = 0;
    // Clears the file's attributes first so that read-only files go as well.
    virtual void ForceDelete(const char* path) = 0;
};

// Forms "<directory>\oem<n>.<extension>"; false when it would not fit.
bool FormatOemFileName(char (&name)[kInfNameChars], const char* directory, int n, const char* extension);

// Searches oem0.inf to oem50.inf in infDirectory (given without a trailing
// backslash) and deletes the first one of the receiver's maker with its PNF
// file. When none matched on the Windows 98 / Me family, deletes the copy
// that family keeps under "other". True when a matching file was found.
bool DeleteReceiverInfFiles(CInfFolder& folder, const char* infDirectory, int osFamily);
