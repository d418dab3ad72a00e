#include "app/AutomaticRun.h"

#include "app/ReplaceLogFile.h"
#include "engine/run/ResultLog.h"
#include "engine/run/RunReplace.h"

AutomaticRunStatus RunAutomatic(const ReplaceJob& job, bool namesPassedOver, ResultLog& log, RunObserver& observer)
{
    log.ResetLog();
    RunReplace(job, log, observer);
    if (!WriteReplaceLog(log))
        return RunNotCarriedOut;
    return log.FailedFiles() == 0 && !namesPassedOver ? EveryFileProcessed : SomeFileFailed;
}
