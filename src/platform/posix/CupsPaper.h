#pragma once

#include <memory>
#include <string>

// Paper as CUPS names it and as a queue offers it. Sizes are in hundredths of
// a millimetre, as in IPP.
namespace CupsPaper {

// The PWG media name of paper of that size, in portrait (the shorter side
// first), whichever way the sides are given: the standard name where a
// standard size lies within 5 points of it (iso_a3_297x420mm), else the PWG
// custom form (custom_914x1500mm_914x1500mm).
std::string mediaName(int width, int length);
// The PWG custom form for paper of that size, in portrait, even where a
// standard size matches it.
std::string customName(int width, int length);

// The paper one queue offers, asked of the scheduler once. A queue that cannot
// be asked (it is gone, or it reports no media at all, as a raw queue does)
// offers nothing.
class QueuePaper final {
public:
    explicit QueuePaper(const std::string& queue);
    ~QueuePaper();
    QueuePaper(const QueuePaper&) = delete;
    QueuePaper& operator=(const QueuePaper&) = delete;

    // True when the queue takes that media name; a custom size when it lies
    // within the queue's range of custom sizes.
    bool offers(const std::string& mediaName) const;

private:
    struct Answer;
    std::unique_ptr<Answer> m_answer;
};

}  // namespace CupsPaper
