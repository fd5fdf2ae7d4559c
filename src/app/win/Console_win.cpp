#include "app/Console.h"

#include <io.h>
#include <stdio.h>

namespace Console {

bool outputIsTerminal()
{
    return ::_isatty(::_fileno(stdout)) != 0;
}

std::vector<std::string> windowlessQtArguments()
{
    return {};
}

}  // namespace Console
