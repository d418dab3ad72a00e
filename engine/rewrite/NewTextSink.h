#pragma once
#include <memory>
#include <optional>
#include <string>

#include "engine/flow/FileResult.h"
#include "engine/rewrite/ReplaceJob.h"
#include "engine/rewrite/TemporaryFileOutput.h"
#include "engine/flow/TextOutput.h"
#include "platform/FileReader.h"

class ProcessedFiles;

// Where the new text of a file read a block at a time goes as it is made, as the job wants
// it: to the temporary file; nowhere in a preview nobody reads; into memory for a reader
// of new texts, who also gets the text as it was read.
class NewTextSink {
public:
    // `file` is the file as it was opened; it outlives the sink.
    NewTextSink(const ReplaceJob& job, platform::FileReader& file);
    NewTextSink(const NewTextSink&) = delete;
    NewTextSink& operator=(const NewTextSink&) = delete;

    // The output of one attempt at the new text; what an earlier attempt wrote is dropped.
    TextOutput& Restart();
    // Once the count is known: lets go of the file and places the new text as PlaceNewText
    // does; NotOpen when a reader's copy of the old text cannot be read.
    FileResult Place(const std::string& listedPath, TextEncoding encoding, FileResult count, bool backUp,
                     ProcessedFiles* processed);

private:
    const ReplaceJob& job_;
    platform::FileReader& file_;
    const std::string readPath_;
    const platform::FileStamp stamp_;
    std::unique_ptr<TemporaryFileOutput> toFile_;
    DroppedOutput dropped_;
    std::string after_;
    std::optional<StringOutput> kept_;
};
