#include "gif/GIFItem.h"

#include "gif/GIFImage.h"
#include "gif/Stream.h"


namespace ostra {

void TGIFItem::ReportWarning(int severity, const std::string& message)
{
    if (image_ != nullptr)
        image_->Warning(*this, severity, message);
}

void TGIFItem::LoadFromFile(const std::string& path)
{
    TFileStream stream(path);
    LoadFromStream(stream);
}

TGIFList::~TGIFList()
{
    Clear();
}

void TGIFList::ReportWarning(int severity, const std::string& message)
{
    image_.Warning(*this, severity, message);
}

void TGIFList::Add(std::unique_ptr<TGIFItem> item)
{
    items_.push_back(std::move(item));
}

void TGIFList::Delete(std::size_t index)
{
    // The item leaves the list before it is freed: its destructor may read
    // its frame, never a half-erased list.
    std::unique_ptr<TGIFItem> item = std::move(items_.at(index));
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

void TGIFList::Clear()
{
    // Last first, each item out of the list before it is freed.
    while (!items_.empty()) {
        std::unique_ptr<TGIFItem> item = std::move(items_.back());
        items_.pop_back();
    }
}

} // namespace ostra
