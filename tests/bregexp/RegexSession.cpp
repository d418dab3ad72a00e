#include "tests/bregexp/RegexSession.h"

#include <cstdio>

#include "bregexp/EntryPoints.h"

EntryPoints LinkedEntryPoints()
{
    return {BMatch, BSubst, BRegfree};
}

RegexSession::RegexSession(std::string text, EntryPoints entry) : entry_(entry), text_(std::move(text))
{
}

RegexSession::~RegexSession()
{
    if (handle_)
        entry_.Free(handle_);
}

int RegexSession::Match(const char* command, std::size_t from)
{
    return entry_.Match(command, text_.data() + from, text_.data() + text_.size(), &handle_, message_);
}

int RegexSession::Subst(const char* command)
{
    return entry_.Subst(command, text_.data(), text_.data() + text_.size(), &handle_, message_);
}

std::optional<std::string> RegexSession::Group(int n) const
{
    if (!handle_->GroupStarts[n])
        return std::nullopt;
    return std::string(handle_->GroupStarts[n], handle_->GroupEnds[n]);
}

std::ptrdiff_t RegexSession::GroupOffset(int n) const
{
    return handle_->GroupStarts[n] - text_.data();
}

std::string RegexSession::Output() const
{
    return std::string(handle_->OutputStart, handle_->OutputEnd);
}

std::string Hex(const std::string& bytes)
{
    std::string out;
    for (unsigned char byte : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X ", byte);
        out += digits;
    }
    return out;
}
