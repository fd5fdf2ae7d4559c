// The fake automation server as a process of its own, for the real program
// under Wine: registers the class name, then copies the calls that reach it
// into RECORD, one per line, until the file STOP appears. RECORD exists (empty)
// as soon as the server is registered. Like the application, it cannot open
// a file that does not exist. Ends with 1 when it cannot register.
//   fake_diagram_server.exe CLASS_NAME INSTANCE_NAME RECORD STOP
#include <cstdio>
#include <fstream>

#include "FakeAutomationServer.h"

int main(int argc, char* argv[])
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: fake_diagram_server CLASS_NAME INSTANCE_NAME RECORD STOP\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    FakeAutomationServer server(argv[1], argv[2], FakeAutomationServer::Placement::OwnThread);
    if (!server.available()) {
        std::fprintf(stderr, "fake_diagram_server: %s\n", server.whyUnavailable().c_str());
        return 1;
    }
    server.failOpenOfMissingFiles();
    const std::string partial = std::string(argv[3]) + ".partial";
    std::vector<std::string> written{"not yet"};
    for (;;) {
        const std::vector<std::string> calls = server.calls();
        if (calls != written) {
            std::string lines;
            for (const std::string& call : calls)
                lines += call + '\n';
            std::ofstream(partial, std::ios::binary | std::ios::trunc) << lines;
            MoveFileExA(partial.c_str(), argv[3], MOVEFILE_REPLACE_EXISTING);
            written = calls;
        }
        if (GetFileAttributesA(argv[4]) != INVALID_FILE_ATTRIBUTES)
            return 0;
        Sleep(100);
    }
}
