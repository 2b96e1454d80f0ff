// The shipped runtime libraries export nothing that only tests use: the test host, the
// message-box recorder and the thread-creation failure live in test-support libraries.

#include <dlfcn.h>

#include <gtest/gtest.h>

namespace {

TEST(ShippedRuntime, ExportsNoTestSupport)
{
    const struct {
        const char* library;
        const char* symbol;
    } cases[] = {
        {OSTREL_PLATFORM_FORMS, "_ZN5forms8TestHost18ensure_applicationEv"},
        {OSTREL_PLATFORM_FORMS, "_ZTVN5forms19RecordingMessageBoxE"},
        {OSTREL_PLATFORM_FORMS, "_ZN5forms24ScopedMessageBoxRecorderC1Ev"},
        {OSTREL_PLATFORM_COM, "_ZN3com25fail_next_thread_creationEj"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.symbol);
        [&] { // an ASSERT ends this row only
            void* library = dlopen(c.library, RTLD_NOW | RTLD_LOCAL);
            ASSERT_NE(library, nullptr) << dlerror();
            EXPECT_EQ(dlsym(library, c.symbol), nullptr) << c.library << " exports " << c.symbol;
            dlclose(library);
        }();
    }
}

} // namespace
