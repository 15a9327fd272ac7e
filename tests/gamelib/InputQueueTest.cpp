// Key queue and hidden-sequence behaviour.
#include "gamelib/HiddenSequence.h"
#include "gamelib/KeyQueue.h"

#include <gtest/gtest.h>

#include <vector>

static std::vector<int32_t> drain(KeyQueue& queue)
{
    std::vector<int32_t> codes;
    KeyEvent event;
    while (queue.take(event))
        codes.push_back(event.code);
    return codes;
}

TEST(KeyQueue, YieldsEventsInOrderAndEmpties)
{
    KeyQueue queue;
    EXPECT_TRUE(queue.isEmpty());
    queue.append(50, true);
    queue.append(50, false);
    KeyEvent event;
    ASSERT_TRUE(queue.take(event));
    EXPECT_EQ(50, event.code);
    EXPECT_TRUE(event.pressed);
    ASSERT_TRUE(queue.take(event));
    EXPECT_FALSE(event.pressed);
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_FALSE(queue.take(event));
}

TEST(KeyQueue, OverflowReplacesTheLastEntry)
{
    KeyQueue queue;
    for (int32_t i = 0; i < KeyQueue::CAPACITY + 1; ++i)
        queue.append(i, true);
    std::vector<int32_t> codes = drain(queue);
    ASSERT_EQ(size_t(KeyQueue::CAPACITY), codes.size());
    EXPECT_EQ(KeyQueue::CAPACITY - 2, codes[KeyQueue::CAPACITY - 2]);
    EXPECT_EQ(KeyQueue::CAPACITY, codes.back());
}

TEST(KeyQueue, AppendAfterPartialDrainKeepsOrder)
{
    KeyQueue queue;
    queue.append(1, true);
    queue.append(2, true);
    KeyEvent event;
    queue.take(event);
    queue.append(3, true);
    EXPECT_EQ((std::vector<int32_t>{2, 3}), drain(queue));
    queue.append(4, true);
    EXPECT_EQ((std::vector<int32_t>{4}), drain(queue));
}

class HiddenSequenceTest : public ::testing::Test {
protected:
    void SetUp() override { sequence.reset(); }
    // Feeds the four fixed keys; returns how many of them were used up.
    int feedPrefix()
    {
        int consumed = 0;
        for (int32_t code : {52, 55, 48, 51})
            consumed += sequence.feed(code);
        return consumed;
    }
    HiddenSequence sequence;
};

TEST_F(HiddenSequenceTest, PrefixAndTwoDigitsEnterTheValue)
{
    EXPECT_EQ(0, feedPrefix());
    EXPECT_TRUE(sequence.feed(49));
    EXPECT_FALSE(sequence.entered);
    EXPECT_TRUE(sequence.feed(50));
    EXPECT_TRUE(sequence.entered);
    EXPECT_EQ(12, sequence.value);
    EXPECT_EQ(0, sequence.position);
}

TEST_F(HiddenSequenceTest, WrongKeyRestartsTheSequence)
{
    sequence.feed(52);
    sequence.feed(55);
    EXPECT_FALSE(sequence.feed(57));
    EXPECT_EQ(0, sequence.position);
    feedPrefix();
    EXPECT_EQ(HiddenSequence::PREFIX_LENGTH, sequence.position);
}

TEST_F(HiddenSequenceTest, ResetForgetsProgress)
{
    feedPrefix();
    sequence.reset();
    EXPECT_FALSE(sequence.feed(49));
    EXPECT_EQ(0, sequence.position);
}
