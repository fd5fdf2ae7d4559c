#pragma once

// A way to lose the superuser's right to read and write everything, so that
// files and folders without permission behave as they do for every other user.

#include <sys/types.h>
#include <unistd.h>

#include <cstdlib>

// While it lives, the process acts as the user "nobody" when it runs as the
// superuser, who would otherwise read folders without read permission.
class AsOrdinaryUser final {
public:
    AsOrdinaryUser()
    {
        if (geteuid() == 0)
            m_switched = seteuid(65534) == 0;
        m_works = geteuid() != 0;
    }
    ~AsOrdinaryUser()
    {
        if (m_switched && seteuid(0) != 0)
            std::abort();
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;
    // False when permissions cannot be made to count here.
    bool works() const { return m_works; }

private:
    bool m_switched = false;
    bool m_works = false;
};
