// The fake automation server as a process of its own, for the real program
// under Wine: registers the class name, then copies the calls that reach it
// into RECORD, one per line, until the file STOP appears.
//
//   fake_diagram_server.exe CLASS_NAME INSTANCE_NAME RECORD STOP
//
// RECORD is written once the server is registered (empty then), so its presence
// says the server is ready. Ends with status 1 when it cannot register.
#include <cstdio>
#include <fstream>

#include "FakeAutomationServer.h"

namespace {

void write(const char* path, const std::vector<std::string>& calls)
{
    const std::string partial = std::string(path) + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        for (const std::string& call : calls)
            out << call << '\n';
    }
    MoveFileExA(partial.c_str(), path, MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: fake_diagram_server CLASS_NAME INSTANCE_NAME RECORD STOP\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    int status = 0;
    {
        FakeAutomationServer server(argv[1], argv[2], FakeAutomationServer::Placement::OwnThread);
        if (server.available()) {
            std::vector<std::string> written;
            write(argv[3], written);
            while (GetFileAttributesA(argv[4]) == INVALID_FILE_ATTRIBUTES) {
                Sleep(100);
                const std::vector<std::string> calls = server.calls();
                if (calls != written)
                    write(argv[3], written = calls);
            }
        } else {
            std::fprintf(stderr, "fake_diagram_server: %s\n", server.whyUnavailable().c_str());
            status = 1;
        }
    }
    CoUninitialize();
    return status;
}
