#include "core/single_instance.hpp"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "test_support.hpp"

namespace kro {
namespace {

TEST(SingleInstance, SecondLockFailsUntilTheFirstIsReleased) {
    test::TempFolder dir;
    const std::string path = dir.file("kro.lock");
    auto first = SingleInstanceLock::try_acquire(path);
    ASSERT_TRUE(first);
    EXPECT_FALSE(SingleInstanceLock::try_acquire(path));
    first.reset();
    EXPECT_TRUE(SingleInstanceLock::try_acquire(path));
}

TEST(SingleInstance, TheSystemReleasesTheLockOfAKilledProcess) {
    test::TempFolder dir;
    const std::string path = dir.file("kro.lock");
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto lock = SingleInstanceLock::try_acquire(path);
        const char c = lock ? '1' : '0';
        (void)!write(ready[1], &c, 1);
        pause();
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, '1');
    EXPECT_FALSE(SingleInstanceLock::try_acquire(path)) << "held by the child";
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(SingleInstanceLock::try_acquire(path));
    close(ready[0]);
    close(ready[1]);
}

}  // namespace
}  // namespace kro
