#pragma once

#include <string>

// Where the running Plotvane of this user's session takes paths handed over by
// a second start: the local server's name, and a lock file that lets only one
// start at a time decide whether it hands over or becomes that server. Both
// empty where no place only this user can reach is found: each start then
// keeps its own window.
struct HandOverAddress {
    std::string server;
    std::string lock;
};

HandOverAddress handOverAddress();

// Lets the running window come to the front when this process hands over to
// it; the window system otherwise keeps the focus with the process the user
// started last.
void letHandOverComeForward();
