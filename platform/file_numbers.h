// The numbers by which the program names its open files, for a platform
// layer: number n names the system handle in entry n - 1. Numbers are never
// given twice, so a closed number stays closed.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/platform.h"

namespace platform {

template <typename Handle>
class FileNumbers {
public:
    explicit FileNumbers(Handle closed) : closed_(closed) {}

    FileNumber Add(Handle handle) {
        handles_.push_back(handle);
        return static_cast<FileNumber>(handles_.size());
    }
    // The handle of an open file; the closed value for 0, a closed or an unknown number.
    Handle Find(FileNumber file) const {
        if (file <= 0 || static_cast<std::size_t>(file) > handles_.size()) {
            return closed_;
        }
        return handles_[static_cast<std::size_t>(file) - 1];
    }
    void Forget(FileNumber file) {
        if (Find(file) != closed_) {
            handles_[static_cast<std::size_t>(file) - 1] = closed_;
        }
    }

private:
    Handle closed_;
    std::vector<Handle> handles_;
};

}  // namespace platform
