#include "literal_planner.h"

#include <bit>
#include <cstdlib>

bool LiteralPlanner::setup(const PathRequest& r) {
    if (r.startX < 0 || r.startX >= r.width || r.goalX < 0 || r.goalX >= r.width || r.startY < 0 ||
        r.startY >= r.height || r.goalY < 0 || r.goalY >= r.height ||
        (r.startX == r.goalX && r.startY == r.goalY)) {
        return false;
    }
    grid_.reset();
    result_ = nullptr;
    request_ = PathRequest{};
    const uint32_t n = uint32_t(r.width) * uint32_t(r.height);
    grid_ = std::make_unique<float[]>(n);
    float maximum = -1.0f;
    for (int32_t y = 0; y < r.height; ++y) {
        for (int32_t x = 0; x < r.width; ++x) {
            const uint32_t i = uint32_t(y) * uint32_t(r.width) + uint32_t(x);
            const float v = float(r.cells[i]);
            if (v > 0.0f) {
                grid_[i] = v;
                if (v > maximum) {
                    maximum = v;
                }
            } else {
                grid_[i] = -1.0f;
            }
        }
    }
    if (!(maximum > 0.0f)) {
        return false;
    }
    for (uint32_t i = 0; i < n; ++i) {
        if (grid_[i] > 0.0f) {
            grid_[i] = grid_[i] / maximum + 1.0f;
        }
    }
    factory_.reserve(r.poolSize ? r.poolSize : n);
    open_.reinit(r.openCapacity ? r.openCapacity : n);
    closed_.rehash(r.hashBits);
    request_ = r;
    result_ = nullptr;
    if (request_.weight < 0.0f) {
        request_.weight = 0.0f;
    }
    if (request_.weight > 1.0f) {
        request_.weight = 1.0f;
    }
    return true;
}

bool LiteralPlanner::reset() {
    result_ = nullptr;
    pops_.clear();
    reopens_ = 0;
    goalImprovements_ = 0;
    Node* start = factory_.allocate();
    if (start == nullptr) {
        return false;
    }
    start->g = 0.0f;
    start->parent = nullptr;
    start->x = request_.startX;
    start->y = request_.startY;
    return open_.pushBack(start);
}

bool LiteralPlanner::insertOpen(Node* node) {
    uint32_t lo = 0;
    uint32_t hi = open_.size();
    while (lo < hi) {
        const uint32_t mid = (lo + hi) / 2;
        if (node->f < open_[mid]->f) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return open_.insertAt(lo, node);
}

// Pool or open list exhausted: the search gives up rather than lose a node.
bool LiteralPlanner::stopWithoutResult() {
    result_ = nullptr;
    return true;
}

bool LiteralPlanner::search() {
    const float factor = request_.diagonalCost ? std::bit_cast<float>(0x3FB504F4u) : 1.0f;
    static const int kOffsets[8][3] = {{-1, -1, 1}, {0, -1, 0}, {1, -1, 1}, {1, 0, 0},
                                       {-1, 0, 0},  {-1, 1, 1}, {0, 1, 0},  {1, 1, 1}};
    for (;;) {
        if (open_.isEmpty()) {
            return true;
        }
        Node* current = open_.back();
        open_.popBack();
        pops_.push_back({current->x, current->y});
        if (current->x == request_.goalX && current->y == request_.goalY) {
            closed_.insert(current);
            result_ = current;
            return true;
        }
        for (const auto& o : kOffsets) {
            const bool diagonal = o[2] != 0;
            if (diagonal && !request_.allowDiagonals) {
                continue;
            }
            const int32_t nx = current->x + o[0];
            const int32_t ny = current->y + o[1];
            if (nx < 0 || nx >= request_.width || ny < 0 || ny >= request_.height) {
                continue;
            }
            const float value = grid_[uint32_t(ny) * uint32_t(request_.width) + uint32_t(nx)];
            if (value == -1.0f) {
                continue;
            }
            const float newG = diagonal ? current->g + value * factor : current->g + value;
            const float h = float(std::abs(request_.goalX - nx) + std::abs(request_.goalY - ny));
            const float f = (h - newG) * request_.weight + newG;

            NodeHashTableIterator it(closed_);
            if (Node* old = closed_.find(it, nx, ny)) {
                if (old->g <= newG) {
                    continue;
                }
                if (open_.isFull()) {
                    return stopWithoutResult();
                }
                it.unlink();
                ++reopens_;
                old->parent = current;
                old->g = newG;
                old->f = f;
                if (!insertOpen(old)) {
                    return stopWithoutResult();
                }
                continue;
            }
            bool inOpen = false;
            for (uint32_t i = open_.size(); i-- > 0;) {
                Node* node = open_[i];
                if (node->x == nx && node->y == ny) {
                    inOpen = true;
                    if (node->g > newG) {
                        if (node->x == request_.goalX && node->y == request_.goalY) {
                            ++goalImprovements_;
                        }
                        open_.eraseAt(i);
                        node->parent = current;
                        node->g = newG;
                        node->f = f;
                        insertOpen(node);
                    }
                    break;
                }
            }
            if (inOpen) {
                continue;
            }
            Node* node = factory_.allocate();
            if (node == nullptr) {
                return stopWithoutResult();
            }
            node->x = nx;
            node->y = ny;
            node->parent = current;
            node->g = newG;
            node->f = f;
            if (!insertOpen(node)) {
                return stopWithoutResult();
            }
        }
        closed_.insert(current);
    }
}

void LiteralPlanner::clearNodes() {
    for (uint32_t i = 0; i < open_.size(); ++i) {
        if (open_[i] != nullptr) {
            factory_.release();
        }
    }
    open_.clear();
    closed_.clear(factory_);
    result_ = nullptr;
}

LiteralPlanner::~LiteralPlanner() { clearNodes(); }

std::vector<GridPoint> LiteralPlanner::path() const {
    std::vector<GridPoint> points;
    for (const Node* n = result_; n != nullptr; n = n->parent) {
        points.insert(points.begin(), GridPoint{n->x, n->y});
    }
    return points;
}
