#include "app/LineDiff.h"

#include <unordered_map>

namespace {

// Lines as numbers, equal lines equal numbers, so that comparing is cheap.
class LineNumbers {
public:
    std::vector<int> Number(const std::vector<std::string_view>& lines)
    {
        std::vector<int> numbers;
        numbers.reserve(lines.size());
        for (const std::string_view line : lines)
            numbers.push_back(ids_.try_emplace(line, static_cast<int>(ids_.size())).first->second);
        return numbers;
    }
    std::size_t Count() const { return ids_.size(); }

private:
    std::unordered_map<std::string_view, int> ids_;
};

// Myers' comparison of a[] and b[], marking the lines that are not kept. Each step finds
// the middle snake of a shortest edit script and works on the two halves around it, so
// that memory stays proportional to the lengths.
class Comparison {
public:
    Comparison(const std::vector<int>& a, const std::vector<int>& b, std::vector<bool>& deleted,
               std::vector<bool>& inserted)
        : a_(a), b_(b), deleted_(deleted), inserted_(inserted)
    {
        const std::size_t room = 2 * (a.size() + b.size()) + 3;
        forward_.resize(room);
        backward_.resize(room);
    }

    void Compare(long a0, long a1, long b0, long b1)
    {
        while (a0 < a1 && b0 < b1 && a_[a0] == b_[b0]) {
            ++a0;
            ++b0;
        }
        while (a0 < a1 && b0 < b1 && a_[a1 - 1] == b_[b1 - 1]) {
            --a1;
            --b1;
        }
        if (a0 == a1) {
            for (long j = b0; j < b1; ++j)
                inserted_[j] = true;
            return;
        }
        if (b0 == b1) {
            for (long i = a0; i < a1; ++i)
                deleted_[i] = true;
            return;
        }
        // Around a common prefix and suffix one edit leaves an empty side, so here the
        // script has two edits or more and both halves are smaller.
        const Snake snake = MiddleSnake(a0, a1, b0, b1);
        Compare(a0, snake.StartA, b0, snake.StartB);
        Compare(snake.EndA, a1, snake.EndB, b1);
    }

private:
    struct Snake {
        long StartA, StartB, EndA, EndB;
    };

    // V arrays are indexed by diagonal k = x - y, shifted to be positive.
    long& Forward(long k) { return forward_[static_cast<std::size_t>(k + offset_)]; }
    long& Backward(long k) { return backward_[static_cast<std::size_t>(k + offset_)]; }

    Snake MiddleSnake(long a0, long a1, long b0, long b1)
    {
        const long n = a1 - a0, m = b1 - b0, delta = n - m;
        const bool odd = (delta & 1) != 0;
        const long most = (n + m + 1) / 2;
        offset_ = most + 1;
        Forward(1) = 0;
        Backward(1) = 0;
        for (long d = 0; d <= most; ++d) {
            // Forward, from the start.
            for (long k = -d; k <= d; k += 2) {
                long x = k == -d || (k != d && Forward(k - 1) < Forward(k + 1)) ? Forward(k + 1) : Forward(k - 1) + 1;
                long y = x - k;
                const long startX = x, startY = y;
                while (x < n && y < m && a_[a0 + x] == b_[b0 + y]) {
                    ++x;
                    ++y;
                }
                Forward(k) = x;
                const long back = delta - k;
                if (odd && back >= -(d - 1) && back <= d - 1 && x + Backward(back) >= n)
                    return {a0 + startX, b0 + startY, a0 + x, b0 + y};
            }
            // Backward, from the end, in the reversed texts.
            for (long k = -d; k <= d; k += 2) {
                long x = k == -d || (k != d && Backward(k - 1) < Backward(k + 1)) ? Backward(k + 1)
                                                                                  : Backward(k - 1) + 1;
                long y = x - k;
                const long startX = x, startY = y;
                while (x < n && y < m && a_[a1 - 1 - x] == b_[b1 - 1 - y]) {
                    ++x;
                    ++y;
                }
                Backward(k) = x;
                const long ahead = delta - k;
                if (!odd && ahead >= -d && ahead <= d && x + Forward(ahead) >= n)
                    return {a1 - x, b1 - y, a1 - startX, b1 - startY};
            }
        }
        // Not reached: the two searches meet by d = most.
        return {a0, b0, a0, b0};
    }

    const std::vector<int>& a_;
    const std::vector<int>& b_;
    std::vector<bool>& deleted_;
    std::vector<bool>& inserted_;
    std::vector<long> forward_;
    std::vector<long> backward_;
    long offset_ = 0;
};

// One side of the comparison: its lines as numbers, those the comparison sees, and where
// each of them stands among all.
struct Side {
    std::vector<int> Lines;
    std::vector<bool>& Changed;
    std::vector<int> Kept = {};
    std::vector<std::size_t> Places = {};

    // Marks changed the lines the other side never has; keeps the others.
    void KeepLinesOf(const Side& other, std::size_t distinctLines)
    {
        std::vector<bool> onOtherSide(distinctLines);
        for (const int line : other.Lines)
            onOtherSide[static_cast<std::size_t>(line)] = true;
        for (std::size_t i = 0; i < Lines.size(); ++i) {
            if (!onOtherSide[static_cast<std::size_t>(Lines[i])]) {
                Changed[i] = true;
            } else {
                Kept.push_back(Lines[i]);
                Places.push_back(i);
            }
        }
    }
    void MarkChanged(const std::vector<bool>& keptChanged)
    {
        for (std::size_t k = 0; k < Kept.size(); ++k)
            if (keptChanged[k])
                Changed[Places[k]] = true;
    }
};

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, next - start));
        start = next;
    }
    return lines;
}

LineChanges CompareLines(const std::vector<std::string_view>& before, const std::vector<std::string_view>& after)
{
    LineChanges changes{std::vector<bool>(before.size()), std::vector<bool>(after.size())};
    LineNumbers numbers;
    Side a{numbers.Number(before), changes.Deleted};
    Side b{numbers.Number(after), changes.Inserted};
    // A line that has no equal on the other side can only be deleted or inserted: the
    // comparison sees only the others, which keeps it fast when most lines changed.
    a.KeepLinesOf(b, numbers.Count());
    b.KeepLinesOf(a, numbers.Count());
    std::vector<bool> deleted(a.Kept.size()), inserted(b.Kept.size());
    Comparison(a.Kept, b.Kept, deleted, inserted).Compare(0, static_cast<long>(a.Kept.size()), 0,
                                                          static_cast<long>(b.Kept.size()));
    a.MarkChanged(deleted);
    b.MarkChanged(inserted);
    return changes;
}
