// The file list's rules for outside input: the extension list and its check, and a
// file-name list read from a file, one name a line.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "app/ExtensionList.h"
#include "app/FileList.h"
#include "app/PlainFileList.h"
#include "platform/DoubleByte.h"
#include "platform/FileSystem.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/ScratchFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = ScratchFilePath("names.txt");
    FuzzedDataProvider input(data, size);
    const std::string text = input.ConsumeRandomLengthString(100);
    const std::string name = input.ConsumeRandomLengthString(100);
    const std::string names = input.ConsumeRemainingBytesAsString();

    const ExtensionList extensions = BuildExtensionList(text);
    for (const std::string& extension : extensions) {
        FUZZ_CHECK(PassesExtensionCheck(extensions, "x." + extension));
        FUZZ_CHECK(FindCharacter(extension, ';') == std::string::npos);
    }
    PassesExtensionCheck(extensions, name);

    // A walk never enters subfolders here, or a line naming "/" would walk the whole disk.
    if (!platform::WriteWholeFile(path, names.data(), names.size()))
        return 0;
    PlainFileList entries;
    FileList files(entries);
    files.BuildExtensionList(text);
    files.SetSubfolderRule(false);
    files.ReadFileNameList(path);
    files.EndBatch();
    for (const std::string& entry : entries.Entries())
        FUZZ_CHECK(!entry.empty() && entry.front() == '/');
    platform::RemoveFile(path);
    return 0;
}
