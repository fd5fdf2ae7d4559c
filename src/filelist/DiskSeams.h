#pragma once

class Dialogs;
class EventPump;
class FileSystem;
class Lifetime;

// The seams of the routines that take drawings from the disk into the list:
// the disk, the boxes and questions, the program's lifetime and the event
// queue they yield to while they walk.
struct DiskSeams {
    Dialogs& dialogs;
    FileSystem& fileSystem;
    const Lifetime& lifetime;
    EventPump& pump;
};
