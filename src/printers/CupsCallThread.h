#pragma once

#include <QString>

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

// libcups talks to the print server synchronously; a server that hangs holds the calling thread
// for as long as the call's time limit. Every such call therefore runs on one thread of its own,
// in the order the calls were made (so a switch of the default and its way back can never
// overtake each other), while the GUI thread sleeps in the event loop and keeps the window alive.
namespace CupsCallThread {

// Runs call on the print-server thread and returns once it has ended, handling events meanwhile;
// what it raises is raised here.
void run(std::function<void()> call);

template <typename Result> Result run(std::function<Result()> call)
{
    const auto result = std::make_shared<std::optional<Result>>();
    run(std::function<void()>([call = std::move(call), result] { *result = call(); }));
    return std::move(**result);
}

} // namespace CupsCallThread
