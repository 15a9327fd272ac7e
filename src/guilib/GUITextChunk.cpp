// Chunk nodes of parsed markup.
#include "guilib/GUITextChunk.h"

#include "gamelib/ImageFont.h"
#include "util/DVector.h"

namespace guilib {

GUITextChunk::GUITextChunk(int32_t type, int32_t align) : type(type), align(align) { }

GUITextChunk::~GUITextChunk() = default;

void GUITextChunk::addChild(const GUITextChunkPtr& chunk)
{
    if (!children)
        children = new vela::util::DVector();
    children->addElement(chunk);
}

int32_t GUITextChunk::getChildCount() const
{
    return children ? children->size() : 0;
}

GUITextChunk* GUITextChunk::getChild(int32_t index) const
{
    return static_cast<GUITextChunk*>(children->elementAt(index).get());
}

} // namespace guilib
