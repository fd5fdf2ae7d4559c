#include "PortableTest.h"

#include "app/HandOverMessage.h"

namespace {

using Paths = std::vector<std::string>;
using State = HandOverReader::State;

// Feeds the bytes whole, and once more one byte at a time, as a socket may
// deliver them; both must agree.
State read(const std::string& bytes, PathStyle style, Paths& paths)
{
    HandOverReader whole(style);
    whole.feed(bytes.data(), bytes.size());
    HandOverReader trickle(style);
    for (char byte : bytes)
        trickle.feed(&byte, 1);
    PV_CHECK(whole.state() == trickle.state());
    PV_CHECK(whole.paths() == trickle.paths());
    paths = whole.paths();
    return whole.state();
}

}  // namespace

PV_TEST(pathsCrossWholeAndInOrder)
{
    const struct {
        PathStyle style;
        Paths paths;
    } cases[] = {
        {PathStyle::Posix,
         {"/d/a.vsd", "/d/b c.vsdx", "/d/folder", "/d/Plan 3:\n7.vdx", "/d/Zeichnung \xc3\xbc.vsd",
          "/d/Zeichnung \xfc.vsd"}},
        {PathStyle::Posix, {}},
        {PathStyle::Windows, {R"(C:\Plans\a.vsd)", R"(\\server\share\b.vsdx)", "d:/x.vdx"}},
    };
    for (const auto& c : cases) {
        Paths paths;
        PV_CHECK(read(handOverMessage(c.paths), c.style, paths) == State::Complete);
        PV_CHECK(paths == c.paths);
    }
}

PV_TEST(anythingButAWellFormedListCountsForNothing)
{
    const std::string header = "PLOTVANE-OPEN/1 ";
    const struct {
        const char* what;
        std::string bytes;
        State state;
    } cases[] = {
        {"another header", "GET / HTTP/1.0\r\n\r\n", State::Malformed},
        {"a count that is no number", header + "x\n", State::Malformed},
        {"a count without digits", header + "\n", State::Malformed},
        {"a length that is no number", header + "1\n-3:/a.\n", State::Malformed},
        {"a length shorter than the path", header + "1\n3:/a.vsd\n", State::Malformed},
        {"a relative path", header + "1\n5:a.vsd\n", State::Malformed},
        {"an empty path", header + "1\n0:\n", State::Malformed},
        {"a NUL in a path", header + std::string("1\n6:/a\0.vs\n", 11), State::Malformed},
        {"bytes after the end", header + "0\nmore", State::Malformed},
        {"fewer paths than counted", header + "2\n2:/a\n", State::Incomplete},
        {"a huge count", header + "99999999999\n", State::Malformed},
        {"more than the size limit", handOverMessage({"/" + std::string(HandOverReader::SizeLimit, 'x')}),
         State::Malformed},
    };
    for (const auto& c : cases) {
        Paths paths;
        const State state = read(c.bytes, PathStyle::Posix, paths);
        if (state != c.state || !paths.empty())
            portable_test::fail(__FILE__, __LINE__, c.what);
    }
    // A Windows path is no absolute path on POSIX, and the other way round.
    Paths paths;
    PV_CHECK(read(handOverMessage({R"(C:\a.vsd)"}), PathStyle::Posix, paths) == State::Malformed);
    PV_CHECK(read(handOverMessage({"/a.vsd"}), PathStyle::Windows, paths) == State::Malformed);
    // Windows names come from UTF-16: one that is not UTF-8 was never a name.
    PV_CHECK(read(handOverMessage({"C:\\a\xff.vsd"}), PathStyle::Windows, paths) == State::Malformed);
}
