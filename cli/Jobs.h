#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

#include "values/MersenneTwister.h"

/// Checks file number k, drawing rand's numbers from `random` (null: the process-wide
/// generator), keeps what it produced where the writer finds it, and returns how often the
/// script drew from rand.
using CheckOne = std::function<uint64_t(size_t k, MersenneTwister* random)>;
/// Writes what the check of file number k produced.
using WriteOne = std::function<void(size_t k)>;
/// True for a file that can be read only once, in its turn (standard input).
using ReadOnce = std::function<bool(size_t k)>;

/// Checks `count` files on `jobs` threads and writes each, in order, as soon as it and all
/// before it are done: output, rand's numbers and log entries as one job gives them. With one
/// job, each file is checked and written in turn on the calling thread.
void CheckInOrder(size_t count, unsigned jobs, const CheckOne& check, const WriteOne& write, const ReadOnce& readOnce);
