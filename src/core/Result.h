#pragma once
// How every reader and writer reports: the data it read, or the problem that stopped it (what
// kind, on which line, a detail). Readers and writers never show a message and never touch the
// application state; the caller commits the data and turns a problem into the program's own
// message. Notes that do not stop a read (lines skipped, bytes replaced) travel in the data.
#include "core/TextFile.h"

#include <cassert>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace orv {

enum class ProblemKind {
    // The file itself.
    NotFound,     // missing
    NotAFile,     // a folder or a device
    CannotRead,   // an I/O failure
    TooLarge,     // larger than any file of its kind can be
    CannotWrite,  // creating, writing or renaming failed
    // Its bytes.
    WrongEncoding,  // neither CP932 nor UTF-8 text
    NotText,        // control characters: a binary file
    LineTooLong,    // a line longer than any record of the format
    // Its contents.
    BadRecord,    // a line that cannot be taken apart into the record's items
    BadValue,     // an item out of its range (a mesh code, a coordinate)
    BadFormat,    // the file's structure is not the format's
    Unsupported,  // a variant of the format the program does not read
    TooMany,      // more records than the table holds
    TooFew,       // fewer records than the file announces
    NoData,       // a well-formed file without the data asked for
};

struct Problem {
    ProblemKind kind = ProblemKind::BadFormat;
    int line = 0;        // 1-based line of the problem, 0 when it is not one line
    std::string detail;  // what was wrong, for the message's details and for tests

    bool operator==(const Problem&) const = default;
};

// The problem of a failed file operation; FileError::None has none.
std::optional<Problem> problemOf(FileError error, std::string detail = {});

// Data of type T, or the problem that stopped the reader.
template <typename T>
class Result {
public:
    Result(T value) : state_(std::move(value)) {}                 // NOLINT: implicit by design
    Result(Problem problem) : state_(std::move(problem)) {}       // NOLINT: implicit by design

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & {
        assert(ok());
        return std::get<0>(state_);
    }
    const T& value() const& {
        assert(ok());
        return std::get<0>(state_);
    }
    T&& value() && {
        assert(ok());
        return std::get<0>(std::move(state_));
    }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    const Problem& problem() const {
        assert(!ok());
        return std::get<1>(state_);
    }

private:
    std::variant<T, Problem> state_;
};

// A writer's answer: done, or the problem.
class Status {
public:
    Status() = default;
    Status(Problem problem) : problem_(std::move(problem)) {}  // NOLINT: implicit by design
    Status(std::optional<Problem> problem) : problem_(std::move(problem)) {}  // NOLINT

    bool ok() const { return !problem_; }
    explicit operator bool() const { return ok(); }
    const Problem& problem() const {
        assert(!ok());
        return *problem_;
    }

private:
    std::optional<Problem> problem_;
};

}  // namespace orv
