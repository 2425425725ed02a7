// make_databases <dictd folder> <oracle folder>
//   Builds dat.vex from the installed dictionaries, and lang.vex with its defaults when there is
//   none yet (an existing one holds the user's settings and is kept).
// make_databases --sample <oracle folder>
//   Builds dat.vex from the hand-made test dictionary instead.
#include "tools/build_lock.h"
#include "tools/builder.h"

#include "platform/core/runtime_error.h"
#include "platform/core/text.h"
#include "platform/data/text.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

void print(const std::string& text) {
    std::fputs(text.c_str(), stdout);
}

int run(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fputs("usage: make_databases <dictd folder> <output folder>\n"
                   "       make_databases --sample <output folder>\n",
                   stderr);
        return 2;
    }
    std::wstring source = argv[1];
    const std::wstring folder = argv[2];
    std::wstring out = folder;
    CreateDirectoryW(out.c_str(), nullptr);
    if (!out.empty() && out.back() != L'\\' && out.back() != L'/') out += L'\\';

    DWORD start = GetTickCount();
    std::vector<std::wstring> rows =
        source == L"--sample" ? tools::sampleDictionaryRows() : tools::rowsFromDictd(source);
    tools::BuildCounts counts = tools::countRows(rows);
    // Two builds writing one folder would meet in its part files: the later one waits for the first.
    const tools::BuildLock lock(out, [&] {
        print("another build is writing into " + core::toUtf8(folder) + ": waiting until it ends\n");
        std::fflush(stdout);
    });
    tools::writeDictionary(out + L"dat.vex", rows);
    // The settings database holds the user's choices: it is made only when there is none.
    bool keepSettings = GetFileAttributesW((out + L"lang.vex").c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!keepSettings) tools::writeSettings(out + L"lang.vex");
    WIN32_FILE_ATTRIBUTE_DATA file{};
    GetFileAttributesExW((out + L"dat.vex").c_str(), GetFileExInfoStandard, &file);
    unsigned long long bytes =
        (static_cast<unsigned long long>(file.nFileSizeHigh) << 32) | file.nFileSizeLow;
    print("dat.vex: " + std::to_string(counts.headwords) + " English headwords, " +
          std::to_string(counts.rows) + " rows, " + std::to_string(counts.russian) +
          " distinct Russian and " + std::to_string(counts.turkish) + " distinct Turkish words, " +
          std::to_string((bytes + 512 * 1024) / (1024 * 1024)) + " MB\n");
    print(keepSettings ? "lang.vex: kept as it was\n" : "lang.vex: settings with their defaults\n");
    print("built in " + std::to_string((GetTickCount() - start) / 1000.0).substr(0, 4) + " s\n");
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        return run(argc, argv);
    } catch (const core::RuntimeError& e) {
        std::fprintf(stderr, "make_databases: %s\n", e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_databases: %s\n", e.what());
    }
    return 1;
}
