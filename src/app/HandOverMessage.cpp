#include "app/HandOverMessage.h"

#include <algorithm>
#include <cctype>

#include "platform/Utf8.h"

namespace {

const std::string Header = "PLOTVANE-OPEN/1 ";
// Enough digits for any count or length below the size limit.
constexpr std::size_t MaxDigits = 8;

// Reads the decimal number that starts at pos and ends with `end`. Returns
// false when the text stops before `end` (more may come: `complete` stays
// false) or is no such number (`complete` is true).
bool readNumber(const std::string& text, std::size_t& pos, char end, std::size_t& number, bool& complete)
{
    number = 0;
    std::size_t digits = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == end && digits > 0) {
            ++pos;
            complete = true;
            return true;
        }
        if (c < '0' || c > '9' || ++digits > MaxDigits) {
            complete = true;
            return false;
        }
        number = number * 10 + static_cast<std::size_t>(c - '0');
    }
    complete = false;
    return false;
}

bool isWellFormedUtf8(const std::string& text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        if (!Utf8::next(text, pos).valid)
            return false;
    }
    return true;
}

bool isAbsolute(const std::string& path, PathStyle style)
{
    if (style == PathStyle::Posix)
        return path[0] == '/';
    const bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':'
                       && (path[2] == '\\' || path[2] == '/');
    const bool network = path.size() >= 3 && path[0] == '\\' && path[1] == '\\';
    return drive || network;
}

}  // namespace

bool isHandOverPath(const std::string& path, PathStyle style)
{
    // A POSIX name is bytes, in whatever encoding it was made; Windows names
    // come from UTF-16 and are always well-formed.
    return !path.empty() && path.find('\0') == std::string::npos
           && (style == PathStyle::Posix || isWellFormedUtf8(path)) && isAbsolute(path, style);
}

std::string handOverMessage(const std::vector<std::string>& paths)
{
    std::string message = Header + std::to_string(paths.size()) + "\n";
    for (const std::string& path : paths)
        message += std::to_string(path.size()) + ":" + path + "\n";
    return message;
}

HandOverReader::HandOverReader(PathStyle style) : m_style(style) {}

HandOverReader::State HandOverReader::feed(const char* bytes, std::size_t size)
{
    if (m_state != State::Incomplete) {
        // Nothing may follow a whole message.
        if (size > 0) {
            m_state = State::Malformed;
            m_paths.clear();
        }
        return m_state;
    }
    if (size > SizeLimit - m_buffer.size())
        return m_state = State::Malformed;
    m_buffer.append(bytes, size);
    return m_state = parse();
}

// Goes on from where the last call stopped, so that a message that arrives a
// byte at a time costs no more than one that arrives whole.
HandOverReader::State HandOverReader::parse()
{
    bool complete = false;
    if (m_count == NotRead) {
        const std::size_t head = std::min(m_buffer.size(), Header.size());
        if (m_buffer.compare(0, head, Header, 0, head) != 0)
            return State::Malformed;
        if (m_buffer.size() < Header.size())
            return State::Incomplete;
        std::size_t pos = Header.size();
        std::size_t count = 0;
        if (!readNumber(m_buffer, pos, '\n', count, complete))
            return complete ? State::Malformed : State::Incomplete;
        m_count = count;
        m_read = pos;
    }
    while (m_reading.size() < m_count) {
        std::size_t pos = m_read;
        std::size_t length = 0;
        if (!readNumber(m_buffer, pos, ':', length, complete))
            return complete ? State::Malformed : State::Incomplete;
        if (m_buffer.size() - pos < length + 1)
            return State::Incomplete;
        std::string path = m_buffer.substr(pos, length);
        pos += length;
        if (m_buffer[pos++] != '\n' || !isHandOverPath(path, m_style))
            return State::Malformed;
        m_reading.push_back(std::move(path));
        m_read = pos;
    }
    if (m_read != m_buffer.size())
        return State::Malformed;
    m_paths = std::move(m_reading);
    return State::Complete;
}
