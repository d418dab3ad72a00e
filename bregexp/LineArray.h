#pragma once
#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace bregexp {

// An array that one thread writes at every match, in lines of memory of its own: another
// thread reading something that happened to lie in the same line would wait for every
// write. Its size is rounded up to whole lines, every element set to the given value.
template <typename T>
class LineArray {
    static_assert(std::is_trivially_destructible_v<T>);

public:
    static constexpr std::size_t Line = 64;

    LineArray() = default;
    LineArray(std::size_t count, T value)
    {
        const std::size_t bytes = (count * sizeof(T) + Line - 1) / Line * Line;
        if (bytes == 0)
            return;
        data_.reset(static_cast<T*>(::operator new(bytes, std::align_val_t{Line})));
        size_ = bytes / sizeof(T);
        std::uninitialized_fill_n(data_.get(), size_, value);
    }

    T* data() { return data_.get(); }
    const T* data() const { return data_.get(); }
    std::size_t size() const { return size_; }
    T& operator[](std::size_t i) { return data_.get()[i]; }
    const T& operator[](std::size_t i) const { return data_.get()[i]; }
    void swap(LineArray& other) noexcept
    {
        data_.swap(other.data_);
        std::swap(size_, other.size_);
    }

private:
    struct Free {
        void operator()(T* p) const { ::operator delete(p, std::align_val_t{Line}); }
    };
    std::unique_ptr<T, Free> data_;
    std::size_t size_ = 0;
};

}  // namespace bregexp
