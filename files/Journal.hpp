#pragma once
// The journal beside a recovery copy: the edits made since the copy was written, so that
// a crash loses at most the last second of work rather than the seconds since the copy.
//
// user/.recovery/ID.journal begins with a header naming the copy it follows (its size
// and CRC-32), then holds entries, each [size][payload][CRC-32 of the payload], numbers
// as 4 bytes little-endian. A payload is one edit (its place and the paragraphs before
// and after it) or the title page after a change. A journal whose header names other
// bytes than the copy's belongs to an older copy and is not replayed.

#include "document/ScriptEdit.hpp"

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

std::string journalHeader(const std::string& copyBytes);
// An edit as made (or, with `undo`, as taken back).
std::string journalEntry(const ScriptEdit& edit, bool undo);
std::string journalEntry(const TitleLines& title);

struct Replay {
    std::size_t applied = 0; // entries
    bool cutShort = false;   // it ended in an entry cut short or failing its check
    std::string problem;     // why none of it could be replayed; empty when it could
};
// Applies a journal's entries to the script read from the copy whose bytes are given, up
// to the first entry cut short, failing its check or not fitting the script.
Replay replayJournal(const std::string& journal, const std::string& copyBytes, Script& script);

// Writes a journal from a thread of its own: entries are batched and made durable
// (one write and one fdatasync) at most `batch` after the first of them, never on the
// thread that draws.
class JournalWriter {
public:
    static constexpr std::chrono::milliseconds batch{800};

    JournalWriter();
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;
    ~JournalWriter(); // writes what is pending

    // A new journal for a copy just written: it replaces the old one once it is on disk.
    void begin(const std::filesystem::path& file, const std::string& header);
    // No journal any more: the script was replaced, or (`remove`) its work saved or given up.
    void end(bool remove);
    void append(const std::string& entry);
    // Whether entries are being kept: a journal was begun and no write of it failed.
    bool keeping() const;
    std::size_t entries() const; // appended since begin
    // Why the journal could not be written, once; empty when nothing new failed.
    std::string takeProblem();
    // Waits until everything appended is durable (for tests and for the end).
    void flush();
    std::size_t durableWrites() const; // fdatasyncs of entries, for tests

private:
    void run();
    void fail(const std::string& what);

    mutable std::mutex m_mutex;
    std::condition_variable m_wake, m_done;
    bool m_quit = false;
    // What the thread is to do, in order: a journal to begin, then the entries to add.
    std::filesystem::path m_file;
    std::string m_header;
    bool m_beginPending = false, m_endPending = false, m_removeOnEnd = false;
    std::string m_pending;
    std::string m_writing; // the batch the thread writes, without the lock
    std::chrono::steady_clock::time_point m_firstPending;
    bool m_busy = false;     // the thread is writing, without the lock
    bool m_flushing = false; // flush waits: no batching
    int m_fd = -1;
    bool m_keeping = false;
    bool m_begun = false; // begun and not ended since
    std::size_t m_entries = 0, m_writes = 0;
    std::string m_problem;
    std::thread m_thread; // last: it starts once everything it reads is made
};
