#pragma once
#include <string>
#include <string_view>

#include "engine/text/TextEncoding.h"

// Who is shown each file's new text beside the text it had: the diff of a preview, or of
// a run that writes.
class NewTextReader {
public:
    virtual ~NewTextReader() = default;
    // Once for each file that changes, after its new text is in place (in a preview, in
    // place of writing it). Both texts are in the file's encoding and valid during the call
    // only.
    virtual void OnNewText(const std::string& path, TextEncoding encoding, std::string_view before,
                           std::string_view after) = 0;
};
