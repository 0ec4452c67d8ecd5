// Movable global memory as the program uses it.

#include <gtest/gtest.h>

#include <cstring>

#include "platform/handles.h"

namespace {

TEST(GlobalMemoryTest, BlockKeepsItsSizeAndContentAcrossLocks) {
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, 10));
  ASSERT_TRUE(memory);
  EXPECT_EQ(GlobalSize(memory.get()), 10u);
  {
    GlobalLockGuard lock(memory.get());
    std::memcpy(lock.data(), "0123456789", 10);
  }
  GlobalLockGuard again(memory.get());
  EXPECT_EQ(std::memcmp(again.data(), "0123456789", 10), 0);
  EXPECT_EQ(again.size(), 10u);
}

TEST(GlobalMemoryTest, ZeroInitialisedBlockIsZero) {
  UniqueGlobal memory(GlobalAlloc(GHND, 16));
  GlobalLockGuard lock(memory.get());
  const auto* bytes = static_cast<const unsigned char*>(lock.data());
  for (int i = 0; i < 16; ++i) EXPECT_EQ(bytes[i], 0) << i;
}

TEST(GlobalMemoryTest, UnlockReportsWhetherTheBlockIsStillLocked) {
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, 4));
  GlobalLock(memory.get());
  GlobalLock(memory.get());
  EXPECT_TRUE(GlobalUnlock(memory.get()));
  EXPECT_FALSE(GlobalUnlock(memory.get()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
}

TEST(GlobalMemoryTest, OwnerFreesItsBlockOnce) {
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, 4));
  UniqueGlobal moved(std::move(memory));
  EXPECT_FALSE(memory);
  EXPECT_TRUE(moved);
  HGLOBAL handedOver = moved.release();
  EXPECT_FALSE(moved);
  EXPECT_EQ(GlobalFree(handedOver), nullptr);
}

}  // namespace
