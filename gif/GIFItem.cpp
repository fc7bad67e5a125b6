#include "gif/GIFItem.h"

#include "gif/GIFImage.h"
#include "gif/Stream.h"

#include <algorithm>

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

void TGIFList::Remove(const TGIFItem* item)
{
    const auto found = std::find_if(items_.begin(), items_.end(), [item](const auto& p) { return p.get() == item; });
    if (found != items_.end()) {
        found->release();
        items_.erase(found);
    }
}

void TGIFList::Clear()
{
    // Each item leaves the list before it is freed, so that an item whose
    // destructor removes itself from its list finds nothing to remove.
    while (!items_.empty()) {
        std::unique_ptr<TGIFItem> item = std::move(items_.back());
        items_.pop_back();
    }
}

} // namespace ostra
