#include "files/Journal.hpp"

#include "document/DivType.hpp"
#include "files/WholeFile.hpp"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace {
const std::string magic = "QMJ1";
constexpr char editEntry = 'E', undoEntry = 'U', titleEntry = 'T';
constexpr std::uint32_t largestEntry = 64u << 20; // bytes: no edit of a script that opens is larger

std::uint32_t crcOf(const char* bytes, std::size_t size)
{
    return static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(bytes), static_cast<uInt>(size)));
}

void put(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xff));
}

void put(std::string& out, const sf::String& text)
{
    put(out, static_cast<std::uint32_t>(text.getSize()));
    const std::size_t at = out.size();
    out.resize(at + 4 * text.getSize());
    char* to = &out[at];
    for (const sf::Uint32 c : text)
        for (int shift = 0; shift < 32; shift += 8)
            *to++ = static_cast<char>((c >> shift) & 0xff);
}

void put(std::string& out, const std::vector<Paragraph>& paragraphs)
{
    put(out, static_cast<std::uint32_t>(paragraphs.size()));
    for (const Paragraph& paragraph : paragraphs) {
        put(out, static_cast<std::uint32_t>(paragraph.kind));
        out.push_back(paragraph.dual ? 1 : 0);
        put(out, paragraph.text);
        put(out, static_cast<std::uint32_t>(paragraph.styles.size()));
        out.append(paragraph.styles.begin(), paragraph.styles.end());
    }
}

// Reads what `put` wrote; once anything is missing or out of range, `ok` stays false.
struct Reader {
    const std::string& bytes;
    std::size_t at;
    std::size_t end;
    bool ok = true;

    std::uint32_t number()
    {
        if (end - at < 4) {
            ok = false;
            return 0;
        }
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
        at += 4;
        return value;
    }
    bool room(std::uint64_t size)
    {
        ok = ok && end - at >= size;
        return ok;
    }
    sf::String text()
    {
        const std::uint32_t size = number();
        std::basic_string<sf::Uint32> letters;
        if (room(4ull * size))
            for (std::uint32_t i = 0; i < size; ++i)
                letters.push_back(number());
        return sf::String(letters);
    }
    std::vector<Paragraph> paragraphs()
    {
        std::vector<Paragraph> out;
        const std::uint32_t count = number();
        for (std::uint32_t i = 0; i < count && ok; ++i) {
            const std::uint32_t kind = number();
            const bool dual = room(1) && bytes[at++] != 0;
            sf::String letters = text();
            const std::uint32_t styles = number();
            std::vector<std::uint8_t> styling;
            if (room(styles))
                styling.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + styles));
            at += ok ? styles : 0;
            ok = ok && kind >= Scene && kind <= PageBreak;
            out.emplace_back(static_cast<DivType>(kind), std::move(letters), std::move(styling), dual);
        }
        return out;
    }
};

std::string framed(const std::string& payload)
{
    std::string entry;
    put(entry, static_cast<std::uint32_t>(payload.size()));
    entry += payload;
    put(entry, crcOf(payload.data(), payload.size()));
    return entry;
}

// Whether the edit fits the script: the paragraphs it replaces are there as it found
// them, as a file keeps them (headings and names in capitals).
bool fits(const std::vector<Paragraph>& paragraphs, const ScriptEdit& edit, bool undo)
{
    const std::vector<Paragraph>& found = undo ? edit.after : edit.before;
    if (edit.at > paragraphs.size() || found.size() > paragraphs.size() - edit.at)
        return false;
    return std::equal(found.begin(), found.end(), paragraphs.begin() + edit.at, [](Paragraph a, Paragraph b) {
        a.text = shownText(a.kind, a.text);
        b.text = shownText(b.kind, b.text);
        return a == b;
    });
}
} // namespace

std::string journalHeader(const std::string& copyBytes)
{
    std::string header = magic;
    put(header, static_cast<std::uint32_t>(copyBytes.size()));
    put(header, crcOf(copyBytes.data(), copyBytes.size()));
    return header;
}

std::string journalEntry(const ScriptEdit& edit, bool undo)
{
    std::string payload(1, undo ? undoEntry : editEntry);
    put(payload, edit.at);
    put(payload, edit.before);
    put(payload, edit.after);
    return framed(payload);
}

std::string journalEntry(const TitleLines& title)
{
    std::string payload(1, titleEntry);
    for (const TitleField& field : titleFields)
        put(payload, title.*field.member);
    return framed(payload);
}

Replay replayJournal(const std::string& journal, const std::string& copyBytes, Script& script)
{
    Replay replay;
    const std::string header = journalHeader(copyBytes);
    if (journal.compare(0, magic.size(), magic) != 0 || journal.size() < header.size()) {
        replay.problem = "it is not a journal";
        return replay;
    }
    if (journal.compare(0, header.size(), header) != 0) {
        replay.problem = "it follows another copy than the one there";
        return replay;
    }
    for (std::size_t at = header.size(); at < journal.size();) {
        Reader frame{journal, at, journal.size()};
        const std::uint32_t size = frame.number();
        if (!frame.ok || size > largestEntry || !frame.room(size + 4ull)) {
            replay.cutShort = true;
            break;
        }
        const std::size_t payload = frame.at;
        frame.at += size;
        if (frame.number() != crcOf(journal.data() + payload, size) || size == 0) {
            replay.cutShort = true;
            break;
        }
        Reader read{journal, payload + 1, payload + size};
        const char type = journal[payload];
        if (type == titleEntry) {
            TitleLines title;
            for (const TitleField& field : titleFields)
                title.*field.member = read.text();
            if (read.ok && read.at == read.end)
                script.setTitlePage(title);
        } else {
            ScriptEdit edit;
            edit.at = read.number();
            edit.before = read.paragraphs();
            edit.after = read.paragraphs();
            const bool undo = type == undoEntry;
            read.ok = read.ok && read.at == read.end && (type == editEntry || undo) && fits(script.paragraphs, edit, undo);
            if (read.ok)
                applyEdit(script.paragraphs, edit, undo);
        }
        if (!read.ok) {
            replay.cutShort = true; // an entry that does not fit: what follows cannot either
            break;
        }
        ++replay.applied;
        at = frame.at;
    }
    return replay;
}

// ---- the writer's thread ----

namespace {
// Writes all the bytes, as one write where the system allows; false with errno set.
bool writeAll(int fd, const std::string& bytes)
{
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string lastFailure()
{
    return failureReason(std::error_code(errno, std::generic_category()));
}
} // namespace

JournalWriter::JournalWriter()
{
    m_thread = std::thread([this] { run(); });
}

JournalWriter::~JournalWriter()
{
    flush();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    m_thread.join();
    if (m_fd >= 0)
        ::close(m_fd);
}

void JournalWriter::begin(const fs::path& file, const std::string& header)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_file = file;
        m_header = header;
        m_begun = true;
        m_beginPending = true;
        m_endPending = false;
        m_pending.clear(); // the copy holds them
        m_keeping = true;
        m_entries = 0;
    }
    m_wake.notify_all();
}

void JournalWriter::end(bool remove)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!std::exchange(m_begun, false))
            return; // nothing to end: no thread woken for it
        m_beginPending = false;
        m_endPending = true;
        m_removeOnEnd = remove;
        m_pending.clear();
        m_keeping = false;
    }
    m_wake.notify_all();
}

// Only the first entry of a batch wakes the thread: it waits out the batch by itself.
void JournalWriter::append(const std::string& entry)
{
    bool first = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_keeping)
            return;
        first = m_pending.empty();
        if (first)
            m_firstPending = std::chrono::steady_clock::now();
        m_pending += entry;
        ++m_entries;
    }
    if (first)
        m_wake.notify_all();
}

bool JournalWriter::keeping() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_keeping;
}

std::size_t JournalWriter::entries() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_entries;
}

std::size_t JournalWriter::durableWrites() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_writes;
}

std::string JournalWriter::takeProblem()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::exchange(m_problem, std::string());
}

void JournalWriter::flush()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_flushing = true;
    m_wake.notify_all();
    m_done.wait(lock, [this] { return m_pending.empty() && !m_busy && !m_beginPending && !m_endPending; });
    m_flushing = false;
}

// Called with the lock held: entries are no longer kept until the next journal begins.
void JournalWriter::fail(const std::string& what)
{
    m_problem = "Edits cannot be journaled: " + what;
    m_keeping = false;
    m_pending.clear();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void JournalWriter::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_quit || m_beginPending || m_endPending || !m_pending.empty(); });
        if (m_beginPending || m_endPending) {
            const bool beginning = m_beginPending, removing = m_removeOnEnd;
            const fs::path file = m_file;
            const std::string header = m_header;
            m_beginPending = m_endPending = false;
            m_busy = true;
            const int old = std::exchange(m_fd, -1);
            lock.unlock();
            if (old >= 0)
                ::close(old);
            std::string failure;
            int fd = -1;
            if (!beginning && removing) {
                std::error_code error;
                fs::remove(file, error);
            } else if (beginning) {
                // The new journal is whole on disk, and the copy's rename with it, before
                // it takes the old one's place.
                const fs::path temporary = file.parent_path() / (temporaryPrefix + file.filename().string());
                const int made = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
                const int folder = ::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
                const bool written = made >= 0 && writeAll(made, header) && ::fdatasync(made) == 0;
                if (!written || folder < 0 || ::fsync(folder) != 0 || ::rename(temporary.c_str(), file.c_str()) != 0)
                    failure = lastFailure();
                else if ((fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC)) < 0)
                    failure = lastFailure();
                if (made >= 0)
                    ::close(made);
                if (folder >= 0)
                    ::close(folder);
                if (!failure.empty())
                    ::unlink(temporary.c_str());
            }
            lock.lock();
            m_busy = false;
            if (m_beginPending || m_endPending || !beginning) {
                if (fd >= 0)
                    ::close(fd); // another came meanwhile
            } else if (!failure.empty()) {
                fail(failure);
            } else {
                m_fd = fd;
            }
            m_done.notify_all();
            continue;
        }
        if (!m_pending.empty()) {
            // Fast typing is batched: everything typed within `batch` goes in one write.
            m_wake.wait_until(lock, m_firstPending + batch,
                              [this] { return m_quit || m_flushing || m_beginPending || m_endPending; });
            if (m_beginPending || m_endPending)
                continue;
            m_writing.clear();
            m_writing.swap(m_pending); // both keep their memory from batch to batch
            const std::string& bytes = m_writing;
            const int fd = m_fd;
            m_busy = true;
            lock.unlock();
            const bool written = fd >= 0 && writeAll(fd, bytes) && ::fdatasync(fd) == 0;
            const std::string failure = written || fd < 0 ? std::string() : lastFailure();
            lock.lock();
            m_busy = false;
            if (written)
                ++m_writes;
            else if (!failure.empty() && m_fd == fd)
                fail(failure);
            m_done.notify_all();
            continue;
        }
        if (m_quit)
            return;
    }
}
