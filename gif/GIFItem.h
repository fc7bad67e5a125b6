#pragma once

#include "gif/Graphic.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace ostra {

class TGIFImage;
class TStream;

// One element of a picture (header, frame, extension, trailer); knows the
// picture that owns it.
class TGIFItem : public TPersistent {
public:
    explicit TGIFItem(TGIFImage* image) : image_(image) {}

    // 1 when the item needs only GIF87a, 2 when it needs GIF89a.
    virtual int RequiredVersion() const { return 1; }
    // Hands the warning to the owning picture.
    virtual void ReportWarning(int severity, const std::string& message);
    virtual void LoadFromStream(TStream& stream) = 0;
    // Opens the file for reading and calls LoadFromStream.
    virtual void LoadFromFile(const std::string& path);

    TGIFImage* Image() const { return image_; }

private:
    TGIFImage* image_;
};

// An ordered list that owns its items; knows the picture that owns it.
class TGIFList : public TPersistent {
public:
    explicit TGIFList(TGIFImage& image) : image_(image) {}
    ~TGIFList() override;

    virtual void ReportWarning(int severity, const std::string& message);
    // Reads the list; parent is the picture (frames) or the frame (extensions).
    virtual void LoadFromStream(TStream& stream, TPersistent& parent) = 0;

    TGIFImage& Image() const { return image_; }
    std::size_t Count() const { return items_.size(); }
    bool IsEmpty() const { return items_.empty(); }
    void Add(std::unique_ptr<TGIFItem> item);
    // Frees the item at index; the items after it move up.
    void Delete(std::size_t index);
    // Frees every item, last first.
    void Clear();

protected:
    TGIFItem& itemAt(std::size_t index) const { return *items_[index]; }

private:
    TGIFImage& image_;
    std::vector<std::unique_ptr<TGIFItem>> items_;
};

// A list whose items are all of one kind; indexable and iterable as T.
template <class T>
class TGIFTypedList : public TGIFList {
public:
    using TGIFList::TGIFList;

    T& operator[](std::size_t index) const { return static_cast<T&>(itemAt(index)); }
    T& First() const { return (*this)[0]; }
    T& Last() const { return (*this)[Count() - 1]; }

    class Iterator {
    public:
        Iterator(const TGIFTypedList* list, std::size_t index) : list_(list), index_(index) {}
        T& operator*() const { return (*list_)[index_]; }
        T* operator->() const { return &(*list_)[index_]; }
        Iterator& operator++() { ++index_; return *this; }
        bool operator==(const Iterator& other) const { return index_ == other.index_; }

    private:
        const TGIFTypedList* list_;
        std::size_t index_;
    };
    Iterator begin() const { return Iterator(this, 0); }
    Iterator end() const { return Iterator(this, Count()); }
};

} // namespace ostra
