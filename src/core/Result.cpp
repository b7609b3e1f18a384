#include "core/Result.h"

namespace orv {

std::optional<Problem> problemOf(FileError error, std::string detail) {
    switch (error) {
    case FileError::None: return std::nullopt;
    case FileError::NotFound: return Problem{ProblemKind::NotFound, 0, std::move(detail)};
    case FileError::NotAFile: return Problem{ProblemKind::NotAFile, 0, std::move(detail)};
    case FileError::CannotRead: return Problem{ProblemKind::CannotRead, 0, std::move(detail)};
    case FileError::TooLarge: return Problem{ProblemKind::TooLarge, 0, std::move(detail)};
    case FileError::CannotWrite: return Problem{ProblemKind::CannotWrite, 0, std::move(detail)};
    }
    return Problem{ProblemKind::CannotRead, 0, std::move(detail)};
}

}  // namespace orv
