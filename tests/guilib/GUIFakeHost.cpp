// The fake host's application side.
#include "GUIFakeHost.h"

#include "lang/DString.h"

namespace guitest {

void FakeHost::platformRequest(const vela::lang::DStringPtr& url)
{
    urls.push_back(url->toUtf8());
}

} // namespace guitest
