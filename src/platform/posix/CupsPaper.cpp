#include "platform/posix/CupsPaper.h"

#include <algorithm>
#include <cups/cups.h>

namespace CupsPaper {

std::string mediaName(int width, int length)
{
    if (width > length)
        std::swap(width, length);
    // libcups matches the standard sizes within 5 points and names any other
    // size in the custom form.
    const pwg_media_t* media = width > 0 ? pwgMediaForSize(width, length) : nullptr;
    return media && media->pwg ? media->pwg : customName(width, length);
}

std::string customName(int width, int length)
{
    if (width > length)
        std::swap(width, length);
    char name[128];
    if (width <= 0 || !pwgFormatSizeName(name, sizeof name, "custom", nullptr, width, length, nullptr))
        return {};
    return name;
}

struct QueuePaper::Answer {
    cups_dest_t* dest = nullptr;
    cups_dinfo_t* info = nullptr;
};

QueuePaper::QueuePaper(const std::string& queue) : m_answer(std::make_unique<Answer>())
{
    if (queue.empty())
        return;
    m_answer->dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.c_str(), nullptr);
    if (m_answer->dest)
        m_answer->info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, m_answer->dest);
}

QueuePaper::~QueuePaper()
{
    if (m_answer->info)
        cupsFreeDestInfo(m_answer->info);
    if (m_answer->dest)
        cupsFreeDests(1, m_answer->dest);
}

bool QueuePaper::offers(const std::string& mediaName) const
{
    if (!m_answer->info || mediaName.empty())
        return false;
    return cupsCheckDestSupported(CUPS_HTTP_DEFAULT, m_answer->dest, m_answer->info, CUPS_MEDIA, mediaName.c_str())
           != 0;
}

}  // namespace CupsPaper
