#include <windows.h>

#include <string>

#include "FolderScanRig.h"
#include "PortableTest.h"
#include "Win32Tree.h"
#include "platform/win/Win32FileSystem.h"

namespace {

using Scan = FolderScanRig<Win32FileSystem>;

// The entries below root, in list order.
Paths below(const Paths& entries, const std::string& root)
{
    Paths result;
    for (const auto& entry : entries)
        result.push_back(entry.compare(0, root.size() + 1, root + "\\") == 0 ? entry.substr(root.size() + 1) : entry);
    return result;
}

}  // namespace

PV_TEST(aWindowsTreeIsScannedWithItsAttributesAndNames)
{
    Win32Tree tree;
    tree.folder("A");
    for (const char* folder : {"A\\X", "A\\Y", "A\\X\\Z", "A\\Ārger", "A\\Ārger\\deep"})
        tree.folder(folder);
    tree.folder("A\\hidden-system", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    tree.folder("A\\hidden-system\\deep");
    tree.folder("A\\hidden", FILE_ATTRIBUTE_HIDDEN);
    tree.file("A\\a.vsd");
    tree.file("A\\hidden-archive.vsd", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    tree.file("A\\hidden-archive-readonly.vsd",
              FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
    tree.file("A\\system.vsd", FILE_ATTRIBUTE_SYSTEM);
    tree.file("A\\~$a.vsd");
    tree.file("A\\notes.txt");
    for (const char* file : {"A\\X\\x.vsd", "A\\Y\\y.VSD", "A\\X\\Z\\z.vsd", "A\\Ārger\\r.vsd", "A\\Ārger\\deep\\d.vsd",
                             "A\\hidden-system\\s.vsd", "A\\hidden-system\\deep\\d.vsd", "A\\hidden\\h.vsd"})
        tree.file(file);

    Scan scan;
    const Paths found = below(scan.run("vsd", tree.path("A")), tree.root());
    // Level by level: A, then its subfolders, then theirs. A name outside the
    // code page and a hidden system folder are left out with their subtrees;
    // a hidden folder is not. Files hidden with the archive bit and nothing
    // else, and lock files, are left out.
    PV_CHECK_EQ(found.size(), 7u);
    if (found.size() == 7u) {
        PV_CHECK_EQ(sorted(Paths(found.begin(), found.begin() + 3)),
                    (Paths{"A\\a.vsd", "A\\hidden-archive-readonly.vsd", "A\\system.vsd"}));
        PV_CHECK_EQ(sorted(Paths(found.begin() + 3, found.begin() + 6)),
                    (Paths{"A\\X\\x.vsd", "A\\Y\\y.VSD", "A\\hidden\\h.vsd"}));
    }
    PV_CHECK(!found.empty() && found.back() == "A\\X\\Z\\z.vsd");
    PV_CHECK(scan.dialogs.messages.empty());
}
