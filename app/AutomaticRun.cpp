#include "app/AutomaticRun.h"

#include "engine/ResultLog.h"
#include "engine/RunReplace.h"

AutomaticRunStatus RunAutomatic(const ReplaceJob& job, ResultLog& log, RunDisplay& display)
{
    log.ResetLog();
    if (RunReplace(job, log, display) != RunOutcome::Finished)
        return RunNotCarriedOut;
    return log.FailedFiles() == 0 ? EveryFileProcessed : SomeFileFailed;
}
