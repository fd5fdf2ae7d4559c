#include "PortableTest.h"

#include <unistd.h>

#include <memory>

#include "PosixTree.h"
#include "platform/CodePage.h"
#include "platform/posix/PosixFileSystem.h"

namespace {

using Names = std::vector<std::string>;

// One tree with an entry of every kind the scan meets.
struct Tree {
    PosixTree tree;
    PosixFileSystem fs;
    Tree()
    {
        tree.folder("dir");
        tree.folder(".hiddendir");
        tree.file("plain.vsd");
        tree.file("READONLY.VSD", 0444);
        tree.file(".hidden.vsd");
        tree.file("noext");
        tree.file("locked.vsd", 0);
        tree.fifo("pipe.vsd");
        tree.link("dirlink", tree.path("dir"));
        tree.link("filelink.vsd", tree.path("plain.vsd"));
        tree.link("dangling.vsd", tree.path("missing"));
        tree.link("null.vsd", "/dev/null");
    }
    // The file system itself and its view for one scan.
    std::vector<FileSystem*> both()
    {
        view = fs.viewForOneScan();
        return {&fs, view.get()};
    }
    std::unique_ptr<FileSystem> view;
};

}  // namespace

PV_TEST(attributesMapWhatPosixKnows)
{
    Tree t;
    const struct {
        const char* name;
        std::optional<std::uint32_t> expected;
    } cases[] = {
        {"dir", 16u},         {"dir/", 16u},           {".hiddendir", 18u},     {"plain.vsd", 0u},
        {"READONLY.VSD", 1u}, {".hidden.vsd", 2u},     {"pipe.vsd", 0u},        {"dirlink", 1040u},
        {"dirlink/", 1040u},  {"filelink.vsd", 1024u}, {"dangling.vsd", 1024u}, {"missing", std::nullopt},
    };
    // The file system and its view for one scan answer alike.
    for (FileSystem* fs : t.both()) {
        for (const auto& c : cases) {
            const auto value = fs->attributes(t.tree.path(c.name));
            PV_CHECK_EQ(value, c.expected);
            if (value != c.expected)
                std::printf("    for %s: %d\n", c.name, value ? static_cast<int>(*value) : -1);
        }
        PV_CHECK_EQ(fs->attributes("/"), std::optional<std::uint32_t>(16u));
        // A link to a folder is that folder; a file is no folder.
        const auto dir = fs->folderIdentity(t.tree.path("dir"));
        PV_CHECK(dir && dir == fs->folderIdentity(t.tree.path("dirlink/")) && !(dir == fs->folderIdentity("/")));
        PV_CHECK(!fs->folderIdentity(t.tree.path("plain.vsd")) && !fs->folderIdentity(t.tree.path("missing")));
    }
}

PV_TEST(theOpenProbeTakesOnlyRegularFilesAndNeverBlocks)
{
    Tree t;
    alarm(30);  // a probe that opened the FIFO for reading would wait here forever
    const struct {
        const char* name;
        bool opens;
    } cases[] = {
        {"plain.vsd", true},     {"READONLY.VSD", true}, {"locked.vsd", true},  {"filelink.vsd", true},
        {"dir", false},          {"dirlink", false},     {"pipe.vsd", false},   {"null.vsd", false},
        {"dangling.vsd", false}, {"missing", false},     {"plain.vsd/", false},
    };
    for (FileSystem* fs : t.both()) {
        for (const auto& c : cases)
            PV_CHECK_EQ(fs->probeOpen(t.tree.path(c.name)), c.opens);
        PV_CHECK(!fs->probeOpen("/dev/zero"));
        PV_CHECK(!fs->probeOpen(""));
    }
    alarm(0);
}

PV_TEST(listingsTakeFilesByWildcardWithoutFolders)
{
    Tree t;
    const std::string root = t.tree.root() + "/";
    for (FileSystem* fs : t.both()) {
        // The view takes the files from the reading of the subfolders.
        PV_CHECK_EQ(fs->subfolders(root).names, (Names{".hiddendir", "dir", "dirlink"}));
        PV_CHECK_EQ(fs->listFiles(root, "*.vsd"), (Names{".hidden.vsd", "dangling.vsd", "filelink.vsd", "locked.vsd",
                                                         "null.vsd", "pipe.vsd", "plain.vsd", "READONLY.VSD"}));
        PV_CHECK_EQ(fs->listFiles(t.tree.root(), "*.*").size(), 9u);
        PV_CHECK_EQ(fs->listFiles(root, "no*"), Names{"noext"});
        PV_CHECK(fs->listFiles(t.tree.path("missing"), "*.*").empty());
        PV_CHECK_EQ(fs->subfolders(root).error, 0);
        PV_CHECK_EQ(fs->subfolders(t.tree.path("missing")).error, FolderError::PathNotFound);
        PV_CHECK_EQ(fs->subfolders(t.tree.path("plain.vsd")).error, FolderError::PathNotFound);
    }
}

PV_TEST(foldersWithoutPermissionAreToldApart)
{
    PosixTree tree;
    PosixFileSystem fs;
    tree.folder("locked", 0);
    tree.folder("searchonly", 0311);
    AsOrdinaryUser user;
    if (!user.works()) {
        std::printf("    skipped: permissions do not count for this user\n");
        return;
    }
    PV_CHECK_EQ(fs.subfolders(tree.path("locked")).error, FolderError::PermissionDenied);
    PV_CHECK_EQ(fs.subfolders(tree.path("searchonly")).error, FolderError::PermissionDenied);
}

PV_TEST(rootsModificationTimesAndPlainListings)
{
    Tree t;
    PV_CHECK(t.fs.isRoot("/"));
    PV_CHECK(t.fs.isRoot("//"));
    PV_CHECK(!t.fs.isRoot(t.tree.root()));
    PV_CHECK(!t.fs.isRoot(""));
    PV_CHECK(t.fs.modificationTimeReadable(t.tree.path("dir")));
    PV_CHECK(t.fs.modificationTimeReadable(t.tree.path("pipe.vsd")));
    PV_CHECK(!t.fs.modificationTimeReadable(t.tree.path("dangling.vsd")));
    PV_CHECK(t.fs.listingFindsEntry(t.tree.path("plain.vsd"), false));
    PV_CHECK(!t.fs.listingFindsEntry(t.tree.path(".hidden.vsd"), false));
    PV_CHECK(!t.fs.listingFindsEntry(t.tree.path("dir"), false));
    PV_CHECK(t.fs.listingFindsEntry(t.tree.path("dir"), true));
    PV_CHECK(!t.fs.listingFindsEntry(t.tree.path("missing"), true));
}

PV_TEST(charactersConvertToWindows1252)
{
    const struct {
        const char* character;
        int code;
    } cases[] = {
        {"A", 65},         {"\x01", 1},           {"\xc3\xa9", 233}, {"\xc3\xbf", 255},
        {"\xc2\xa0", 160}, {"\xe2\x82\xac", 128}, {"\xc5\xb8", 159}, {"\xc2\x81", 129},
        {"\xc2\x80", 63},  {"\xe4\xb8\xad", 63},  {"\xe9", 63},      {"ab", 63},
        {"", 63},
    };
    for (const auto& c : cases)
        PV_CHECK_EQ(singleByteCode(c.character), c.code);
}
