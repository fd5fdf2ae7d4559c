#include "app/Console.h"

#include <unistd.h>

namespace Console {

bool outputIsTerminal()
{
    return ::isatty(STDOUT_FILENO) == 1;
}

std::vector<std::string> windowlessQtArguments()
{
    return {"-platform", "offscreen"};
}

}  // namespace Console
