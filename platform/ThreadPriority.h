#pragma once
// The scheduling priority of the calling thread, for threads that share one task: a run in
// the background keeps all its threads there.
namespace platform {

int CurrentThreadPriority();
void SetCurrentThreadPriority(int priority);

}  // namespace platform
