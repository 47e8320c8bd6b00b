#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <vector>

#include "runtime/pathfind/pathfind.h"

namespace {

Node makeNode(int32_t x, int32_t y) { return Node{nullptr, x, y, 0.0f, 0.0f, nullptr}; }

TEST(NodeFactory, HandsOutNodesInOrderUntilExhausted) {
    NodeFactory pool;
    EXPECT_EQ(pool.allocate(), nullptr);  // no pool yet
    ASSERT_TRUE(pool.reserve(3));
    Node* a = pool.allocate();
    Node* b = pool.allocate();
    Node* c = pool.allocate();
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(a != b && b != c && a != c);
    EXPECT_EQ(pool.allocate(), nullptr);
    pool.release();
    EXPECT_EQ(pool.allocate(), c);  // release only counts back
    pool.release();
    pool.release();
    pool.release();
    pool.release();  // below zero stays at zero
    EXPECT_EQ(pool.inUse(), 0u);
    EXPECT_EQ(pool.allocate(), a);
}

TEST(NodeFactory, ReserveZeroKeepsTheOldPool) {
    NodeFactory pool;
    ASSERT_TRUE(pool.reserve(2));
    pool.allocate();
    EXPECT_FALSE(pool.reserve(0));
    EXPECT_EQ(pool.count(), 2u);
    EXPECT_EQ(pool.inUse(), 1u);
    ASSERT_TRUE(pool.reserve(5));
    EXPECT_EQ(pool.count(), 5u);
    EXPECT_EQ(pool.inUse(), 0u);
}

TEST(NodeHashTable, RehashMakesBitsEvenAndAtMost24) {
    struct Case {
        uint32_t asked;
        uint32_t bits;
    };
    for (const Case c : {Case{0, 0}, Case{1, 0}, Case{8, 8}, Case{9, 8}, Case{24, 24}, Case{25, 24},
                         Case{30, 24}}) {
        NodeHashTable table;
        EXPECT_EQ(table.rehash(c.asked), c.bits) << c.asked;
        EXPECT_EQ(table.bucketCount(), 1u << c.bits) << c.asked;
    }
}

TEST(NodeHashTable, HashTakesLowHalfFromXAndHighHalfFromY) {
    NodeHashTable table;
    EXPECT_EQ(table.hash(123, 456), 0u);  // one bucket before any rehash
    table.rehash(8);
    EXPECT_EQ(table.hash(3, 5), 3u + 16u * 5u);
    EXPECT_EQ(table.hash(17, 18), table.hash(1, 2));
    EXPECT_LT(table.hash(-1, -1), 256u);  // negative positions still land in the table
}

TEST(NodeHashTable, FindTellsApartNodesOfOneBucket) {
    NodeHashTable table;
    table.rehash(8);
    Node a = makeNode(1, 2);
    Node b = makeNode(17, 18);
    ASSERT_TRUE(table.insert(&a));
    ASSERT_TRUE(table.insert(&b));
    NodeHashTableIterator it(table);
    EXPECT_EQ(table.find(it, 1, 2), &a);
    EXPECT_EQ(it.current, &a);
    EXPECT_EQ(table.find(it, 17, 18), &b);
    EXPECT_EQ(table.find(it, 33, 34), nullptr);
    EXPECT_EQ(it.current, nullptr);
    EXPECT_EQ(table.count(), 2u);
}

TEST(NodeHashTable, InsertRefusesTheSameRecordButNotTheSamePosition) {
    NodeHashTable table;
    table.rehash(4);
    Node a = makeNode(3, 3);
    Node twin = makeNode(3, 3);
    EXPECT_FALSE(table.insert(nullptr));
    EXPECT_TRUE(table.insert(&a));
    EXPECT_FALSE(table.insert(&a));
    EXPECT_EQ(table.count(), 1u);
    EXPECT_TRUE(table.insert(&twin));
    EXPECT_EQ(table.count(), 2u);
}

TEST(NodeHashTable, UnlinkTakesTheFoundNodeOutOfItsChain) {
    NodeHashTable table;
    table.rehash(2);  // two bits: four buckets, many nodes per chain
    std::vector<Node> nodes;
    for (int32_t i = 0; i < 6; ++i) {
        nodes.push_back(makeNode(i * 2, 0));  // all in bucket 0
    }
    for (Node& n : nodes) {
        table.insert(&n);
    }
    NodeHashTableIterator it(table);
    ASSERT_EQ(table.find(it, 4, 0), &nodes[2]);
    EXPECT_EQ(it.unlink(), &nodes[2]);
    EXPECT_EQ(table.find(it, 4, 0), nullptr);
    EXPECT_EQ(table.count(), 5u);
    for (int32_t i : {0, 1, 3, 4, 5}) {
        EXPECT_EQ(table.find(it, i * 2, 0), &nodes[size_t(i)]);
    }
    NodeHashTableIterator idle(table);
    EXPECT_EQ(idle.unlink(), nullptr);
}

TEST(NodeHashTable, IteratorVisitsEveryNodeAndRemovesWhileWalking) {
    NodeHashTable table;
    table.rehash(4);
    std::vector<Node> nodes;
    for (int32_t y = 0; y < 6; ++y) {
        for (int32_t x = 0; x < 6; ++x) {
            nodes.push_back(makeNode(x, y));
        }
    }
    for (Node& n : nodes) {
        table.insert(&n);
    }
    NodeHashTableIterator it(table);
    uint32_t visited = 0;
    for (Node* n = it.first(); n != nullptr; n = it.next()) {
        ++visited;
    }
    EXPECT_EQ(visited, nodes.size());

    // Remove every node on an even row while walking; the odd rows stay.
    uint32_t removed = 0;
    Node* n = it.first();
    while (n != nullptr) {
        if (n->y % 2 == 0) {
            EXPECT_EQ(it.removeAndNext(), n);
            ++removed;
            n = it.current;
        } else {
            n = it.next();
        }
    }
    EXPECT_EQ(removed, 18u);
    EXPECT_EQ(table.count(), 18u);
    for (const Node& node : nodes) {
        EXPECT_EQ(table.find(it, node.x, node.y) != nullptr, node.y % 2 == 1);
    }
}

TEST(NodeHashTable, ClearGivesEveryNodeBackToThePool) {
    NodeFactory pool;
    pool.reserve(10);
    NodeHashTable table;
    table.rehash(8);
    for (int32_t i = 0; i < 7; ++i) {
        Node* n = pool.allocate();
        n->x = i;
        n->y = i * 3;
        table.insert(n);
    }
    table.clear(pool);
    EXPECT_EQ(pool.inUse(), 0u);
    EXPECT_EQ(table.count(), 0u);
}

TEST(NodeHashTable, CopiesShareTheChainsButNotTheBuckets) {
    NodeHashTable table;
    table.rehash(4);
    Node a = makeNode(1, 1);
    table.insert(&a);
    NodeHashTable copy(table);
    NodeHashTableIterator it(copy);
    EXPECT_EQ(copy.find(it, 1, 1), &a);
    copy.clearBuckets();
    EXPECT_EQ(copy.count(), 0u);
    EXPECT_EQ(table.count(), 1u);
    NodeHashTable& alias = copy;
    copy = alias;  // assignment to itself keeps the table
    EXPECT_EQ(copy.count(), 0u);
    copy = table;
    EXPECT_EQ(copy.count(), 1u);
}

TEST(FixedDeque, CapacityZeroHoldsNothing) {
    FixedDeque<Node*> deque(0);
    Node n = makeNode(0, 0);
    EXPECT_FALSE(deque.pushBack(&n));
    EXPECT_FALSE(deque.pushFront(&n));
    EXPECT_FALSE(deque.insertAt(0, &n));
    EXPECT_FALSE(deque.popBack());
    EXPECT_FALSE(deque.popFront());
    EXPECT_FALSE(deque.eraseAt(0));
    EXPECT_EQ(deque.size(), 0u);
    EXPECT_TRUE(deque.isEmpty());
}

TEST(FixedDeque, FullDequeReportsItsCapacityAndRefusesMore) {
    FixedDeque<int> deque(3);
    EXPECT_TRUE(deque.pushBack(1));
    EXPECT_TRUE(deque.pushFront(0));
    EXPECT_TRUE(deque.insertAt(2, 2));
    EXPECT_EQ(deque.size(), 3u);
    EXPECT_FALSE(deque.pushBack(9));
    EXPECT_FALSE(deque.pushFront(9));
    for (uint32_t i : {0u, 1u, 2u, 3u}) {
        EXPECT_FALSE(deque.insertAt(i, 9)) << i;
    }
    EXPECT_EQ(deque[0], 0);
    EXPECT_EQ(deque[1], 1);
    EXPECT_EQ(deque[2], 2);
}

TEST(FixedDeque, PrependAtHeadZeroWrapsAndEraseAtZeroTakesThatElement) {
    FixedDeque<int> deque(4);
    deque.pushBack(10);
    deque.pushBack(20);
    EXPECT_TRUE(deque.insertAt(0, 5));  // head moves to the last slot
    EXPECT_EQ(deque.size(), 3u);
    EXPECT_EQ(deque[0], 5);
    EXPECT_TRUE(deque.eraseAt(0));
    EXPECT_EQ(deque.size(), 2u);
    EXPECT_EQ(deque[0], 10);
    EXPECT_EQ(deque[1], 20);
}

TEST(FixedDeque, EraseOfTheLastElementWhenTailIsZero) {
    FixedDeque<int> deque(3);
    deque.pushBack(1);
    deque.pushBack(2);
    deque.pushBack(3);  // tail wrapped to slot 0
    EXPECT_EQ(deque.back(), 3);
    EXPECT_TRUE(deque.eraseAt(2));
    EXPECT_EQ(deque.size(), 2u);
    EXPECT_EQ(deque.back(), 2);
}

TEST(FixedDeque, IndicesBeyondTheSizeChangeNothingEvenWhenTheyWrap) {
    FixedDeque<int> deque(10);
    deque.pushBack(1);
    deque.pushBack(2);
    deque.pushBack(3);
    // 13 and 12 wrap onto the tail and the last slot: still refused.
    EXPECT_FALSE(deque.insertAt(4, 9));
    EXPECT_FALSE(deque.insertAt(13, 9));
    EXPECT_FALSE(deque.eraseAt(3));
    EXPECT_FALSE(deque.eraseAt(12));
    EXPECT_FALSE(deque.eraseAt(10));
    ASSERT_EQ(deque.size(), 3u);
    EXPECT_EQ(deque[0], 1);
    EXPECT_EQ(deque[2], 3);
}

// Every operation against a std::deque on a small ring, so the wrap point is
// crossed in every position.
TEST(FixedDeque, MatchesAPlainDequeOverRandomOperations) {
    std::mt19937 rng(12345);
    for (uint32_t capacity : {1u, 2u, 5u, 8u}) {
        FixedDeque<int> deque(capacity);
        std::deque<int> model;
        for (int step = 0; step < 4000; ++step) {
            const int value = step;
            const uint32_t n = uint32_t(model.size());
            const uint32_t index = rng() % (n + 2);
            switch (rng() % 6) {
                case 0: {
                    const bool ok = model.size() < capacity;
                    EXPECT_EQ(deque.pushBack(value), ok);
                    if (ok) model.push_back(value);
                    break;
                }
                case 1: {
                    const bool ok = model.size() < capacity;
                    EXPECT_EQ(deque.pushFront(value), ok);
                    if (ok) model.push_front(value);
                    break;
                }
                case 2: {
                    EXPECT_EQ(deque.popBack(), !model.empty());
                    if (!model.empty()) model.pop_back();
                    break;
                }
                case 3: {
                    EXPECT_EQ(deque.popFront(), !model.empty());
                    if (!model.empty()) model.pop_front();
                    break;
                }
                case 4: {
                    const bool ok = index <= n && n < capacity;
                    EXPECT_EQ(deque.insertAt(index, value), ok);
                    if (ok) model.insert(model.begin() + index, value);
                    break;
                }
                default: {
                    const bool ok = index < n;
                    EXPECT_EQ(deque.eraseAt(index), ok);
                    if (ok) model.erase(model.begin() + index);
                    break;
                }
            }
            ASSERT_EQ(deque.size(), model.size()) << "capacity " << capacity << " step " << step;
            ASSERT_EQ(deque.isEmpty(), model.empty());
            for (uint32_t i = 0; i < model.size(); ++i) {
                ASSERT_EQ(deque[i], model[i]) << "capacity " << capacity << " step " << step;
            }
            if (!model.empty()) {
                ASSERT_EQ(deque.back(), model.back());
            }
        }
    }
}

TEST(FixedDeque, ReinitAndClearEmptyTheRing) {
    FixedDeque<int> deque(2);
    deque.pushBack(1);
    deque.clear();
    EXPECT_TRUE(deque.isEmpty());
    EXPECT_TRUE(deque.reinit(5));
    EXPECT_EQ(deque.capacity(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(deque.pushBack(i));
    }
    EXPECT_EQ(deque.size(), 5u);
}

}  // namespace
