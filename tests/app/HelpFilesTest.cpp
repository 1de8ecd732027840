// The help files and manuals as the build tree and an install ship them: every document the "?"
// menu can ask for is there; each stands alone (links resolve inside the help folder, nothing
// comes from elsewhere, language and UTF-8 declared, the bytes are UTF-8); the German and
// English files, and the two model families' help files, have the same anchors and name the keys
// of the key table. And what the user sees when a document cannot be opened.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <set>

#include "AppRig.h"
#include "app/KeyTable.h"
#include "link/Identification.h"
#include "state/RecordingDesktop.h"

namespace ql::testing {
namespace {

namespace fs = std::filesystem;

struct HelpDocument {
    std::string name;      // file name in the help folder
    std::string language;  // as the file must declare it
};

// Every document the "?" menu opens, named as the program names them.
std::vector<HelpDocument> menuDocuments()
{
    std::vector<HelpDocument> documents;
    for (bool singleTimebase : {true, false}) {
        for (byte language : {byte{0}, byte{1}}) {
            ProgramState s;
            s.caps.unitDigimodea = singleTimebase;
            s.language = language;
            selectHelpFile(s, "help");
            documents.push_back(
                {fs::path(s.helpFile).filename().string(), language == 0 ? "de" : "en"});
        }
    }
    AppRig rig;
    for (bool german : {true, false})
        documents.push_back(
            {fs::path(rig.app.fftManual(german)).filename().string(), german ? "de" : "en"});
    return documents;
}

// The help folders to check: the build tree's and, when ctest has installed one, the
// install's. Both found as the program finds them, through helpFolder.
std::vector<std::string> helpFolders()
{
    std::vector<std::string> folders;
    const char* data = std::getenv("QL240_DATA_DIR");
    folders.push_back(helpFolder(AppPaths(data ? data : "data", "", "")));
    if (const char* prefix = std::getenv("QL240_HELP_INSTALL_PREFIX"))
        folders.push_back(helpFolder(AppPaths(std::string(prefix) + "/share/ql240", "", "")));
    return folders;
}

bool validUtf8(const std::string& bytes)
{
    int continuation = 0;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (continuation > 0) {
            if ((b & 0xC0) != 0x80) return false;
            --continuation;
        } else if (b >= 0xC2 && b <= 0xDF) {
            continuation = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            continuation = 2;
        } else if (b >= 0xF0 && b <= 0xF4) {
            continuation = 3;
        } else if (b >= 0x80) {
            return false;
        }
    }
    return continuation == 0;
}

std::vector<std::string> matches(const std::string& text, const std::regex& pattern)
{
    std::vector<std::string> found;
    for (std::sregex_iterator m(text.begin(), text.end(), pattern), end; m != end; ++m)
        found.push_back((*m)[1].str());
    return found;
}

std::set<std::string> anchorsOf(const std::string& path)
{
    static const std::regex id(R"re(\sid="([^"]*)")re");
    const std::vector<std::string> ids = matches(readBytes(path), id);
    const std::set<std::string> unique(ids.begin(), ids.end());
    EXPECT_EQ(unique.size(), ids.size()) << path << " has an anchor twice";
    return unique;
}

TEST(HelpFiles, EveryDocumentOfTheHelpMenuIsShipped)
{
    const std::vector<HelpDocument> documents = menuDocuments();
    ASSERT_EQ(documents.size(), 6u);
    if (!std::getenv("QL240_HELP_INSTALL_PREFIX"))
        ADD_FAILURE() << "QL240_HELP_INSTALL_PREFIX is not set: run this test through ctest";
    for (const std::string& folder : helpFolders())
        for (const HelpDocument& d : documents)
            EXPECT_TRUE(fs::is_regular_file(folder + "/" + d.name)) << folder << "/" << d.name;
}

TEST(HelpFiles, EachFileStandsAloneInTheHelpFolder)
{
    static const std::regex link(R"re(\s(?:href|src)="([^"]*)")re");
    static const std::regex language(R"re(<html[^>]*\slang="([^"]*)")re");
    static const std::regex localName(R"re([A-Za-z0-9_][A-Za-z0-9_.-]*)re");
    for (const std::string& folder : helpFolders()) {
        for (const HelpDocument& d : menuDocuments()) {
            const std::string path = folder + "/" + d.name;
            SCOPED_TRACE(path);
            const std::string text = readBytes(path);
            EXPECT_TRUE(validUtf8(text));
            EXPECT_NE(text.find("<meta charset=\"utf-8\">"), std::string::npos);
            EXPECT_EQ(matches(text, language), std::vector<std::string>{d.language});
            EXPECT_EQ(text.find("<script"), std::string::npos);
            const std::set<std::string> anchors = anchorsOf(path);
            for (const std::string& target : matches(text, link)) {
                SCOPED_TRACE(target);
                const std::size_t hash = target.find('#');
                const std::string file = target.substr(0, hash);
                if (!file.empty()) {
                    // A plain name: no folder, no scheme, so nothing outside the help folder.
                    ASSERT_TRUE(std::regex_match(file, localName));
                    ASSERT_TRUE(fs::is_regular_file(folder + "/" + file));
                }
                if (hash == std::string::npos) continue;
                const std::string anchor = target.substr(hash + 1);
                EXPECT_TRUE(file.empty() ? anchors.count(anchor) == 1
                                         : anchorsOf(folder + "/" + file).count(anchor) == 1);
            }
        }
        // The stylesheet fetches nothing either.
        const std::string style = readBytes(folder + "/ql240-help.css");
        EXPECT_FALSE(style.empty()) << folder;
        EXPECT_EQ(style.find("url("), std::string::npos);
        EXPECT_EQ(style.find("@import"), std::string::npos);
    }
}

TEST(HelpFiles, GermanAndEnglishAndBothFamiliesHaveTheSameAnchors)
{
    const char* data = std::getenv("QL240_DATA_DIR");
    const std::string folder = helpFolder(AppPaths(data ? data : "data", "", ""));
    // Help files by their language-free stem ("DW720_", "FFT_QZV_"); the families' help
    // files share one set as well, since they differ only in one section's text.
    std::map<std::string, std::set<std::string>> anchorsByDocument;
    std::set<std::string> helpAnchors;
    for (const HelpDocument& d : menuDocuments()) {
        const std::set<std::string> anchors = anchorsOf(folder + "/" + d.name);
        EXPECT_GT(anchors.size(), 5u) << d.name;
        const std::string stem = d.name.substr(0, d.name.rfind('_') + 1);
        auto [entry, first] = anchorsByDocument.emplace(stem, anchors);
        if (!first) {
            EXPECT_EQ(entry->second, anchors) << d.name;
        }
        if (stem.rfind("FFT_", 0) == 0) continue;
        if (helpAnchors.empty()) helpAnchors = anchors;
        EXPECT_EQ(helpAnchors, anchors) << d.name;
    }
}

// The keys the section on working by keyboard of a help file names (its <kbd> elements), as
// the key table writes them: the German key caps by their English names.
std::set<std::string> keysNamed(const std::string& text)
{
    static const std::regex key("<kbd>([^<]*)</kbd>");
    static const std::pair<std::string, std::string> germanCaps[] = {
        {"Strg", "Ctrl"},       {"Umschalt", "Shift"}, {"Bild↓", "PgDown"}, {"Bild↑", "PgUp"},
        {"Leertaste", "Space"}, {"Eingabe", "Return"}, {"↑", "Up"},         {"↓", "Down"},
        {"←", "Left"},          {"→", "Right"}};
    const std::size_t begin = text.find("id=\"keyboard\"");
    if (begin == std::string::npos) return {};
    std::set<std::string> keys;
    for (std::string named : matches(text.substr(begin, text.find("<h", begin) - begin), key)) {
        for (const auto& [cap, name] : germanCaps)
            named = std::regex_replace(named, std::regex(cap), name);
        keys.insert(named);
    }
    return keys;
}

TEST(HelpFiles, TheKeyboardSectionNamesTheKeysOfTheKeyTableAndNoOthers)
{
    std::set<std::string> table;
    for (const KeyRow& row : keyRows()) table.emplace(row.keys);
    for (const HelpDocument& d : menuDocuments()) {
        if (d.name.rfind("FFT_", 0) == 0) continue;
        EXPECT_EQ(keysNamed(readBytes(helpFolders().front() + "/" + d.name)), table) << d.name;
    }
}

TEST(HelpMenu, ADocumentThatCannotBeOpenedIsNamedInOneMessage)
{
    AppRig rig;
    rig.app.startUp();
    rig.host.clear();
    RecordingDesktop desktop;
    const std::string help = rig.app.helpDocumentInLanguage(1);
    const std::string manual = rig.app.fftManual(true);

    // Not installed: one message each, naming the file; nothing is handed to the desktop.
    rig.app.showDocument(desktop, help);
    rig.app.showDocument(desktop, manual);
    ASSERT_EQ(rig.host.messages.size(), 2u);
    EXPECT_NE(rig.host.messages[0].text.find(help), std::string::npos);
    EXPECT_NE(rig.host.messages[1].text.find(manual), std::string::npos);
    EXPECT_TRUE(desktop.requests.empty());

    // Installed: the desktop gets the file; its refusal is the one message.
    writeBytes(help, "<!DOCTYPE html>");
    rig.host.clear();
    rig.app.showDocument(desktop, help);
    EXPECT_TRUE(rig.host.messages.empty());
    desktop.answer = Status::fail("No program of this desktop opens " + help + ".", "Open");
    rig.app.showDocument(desktop, help);
    ASSERT_EQ(desktop.requests.size(), 2u);
    EXPECT_EQ(desktop.requests[0].target, help);
    ASSERT_EQ(rig.host.messages.size(), 1u);
    EXPECT_EQ(rig.host.messages[0].text, desktop.answer.failure().text);
}

}  // namespace
}  // namespace ql::testing
