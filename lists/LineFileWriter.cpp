#include "lists/LineFileWriter.h"

namespace {

constexpr std::size_t FlushSize = 64 * 1024;

}  // namespace

LineFileWriter::LineFileWriter(const std::string& path)
    : result_(file_.Create(path) ? ListWriteResult::Written : ListWriteResult::CreateFailed)
{
}

void LineFileWriter::WriteLine(std::string_view line)
{
    if (result_ != ListWriteResult::Written)
        return;
    buffer_.append(line).append("\r\n");
    if (buffer_.size() >= FlushSize)
        Flush();
}

void LineFileWriter::Flush()
{
    if (result_ == ListWriteResult::Written && !file_.Write(buffer_.data(), buffer_.size()))
        result_ = ListWriteResult::WriteFailed;
    buffer_.clear();
}

ListWriteResult LineFileWriter::CloseBeforeReplace()
{
    Flush();
    if (result_ == ListWriteResult::Written && !file_.FlushBeforeReplace())
        result_ = ListWriteResult::WriteFailed;
    return Close();
}

ListWriteResult LineFileWriter::Close()
{
    Flush();
    if (!file_.Close() && result_ == ListWriteResult::Written)
        result_ = ListWriteResult::WriteFailed;
    return result_;
}
