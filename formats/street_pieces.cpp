#include "street_pieces.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numeric>
#include <queue>
#include <utility>

namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
// How far along a piece its direction at a junction is read: the first few
// vertices of a mapped street often wobble.
constexpr double kDirectionReach = 10.0;

using Key = std::pair<double, double>;

Key KeyOf(PlanePoint p) {
    return {p.x, p.y};
}

class CUnion {
public:
    std::size_t Find(std::size_t i) {
        if (i >= m_parent.size()) {
            const std::size_t old = m_parent.size();
            m_parent.resize(i + 1);
            std::iota(m_parent.begin() + static_cast<std::ptrdiff_t>(old), m_parent.end(), old);
        }
        while (m_parent[i] != i)
            i = m_parent[i] = m_parent[m_parent[i]];
        return i;
    }
    // Keeps a's root as the root of both.
    void Unite(std::size_t a, std::size_t b) {
        a = Find(a);
        b = Find(b);
        if (a != b)
            m_parent[b] = a;
    }

private:
    std::vector<std::size_t> m_parent;
};

struct Box {
    double minX = std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();

    void Add(PlanePoint p) {
        minX = std::min(minX, p.x), minY = std::min(minY, p.y);
        maxX = std::max(maxX, p.x), maxY = std::max(maxY, p.y);
    }
    void Add(const Box& b) {
        minX = std::min(minX, b.minX), minY = std::min(minY, b.minY);
        maxX = std::max(maxX, b.maxX), maxY = std::max(maxY, b.maxY);
    }
    double Gap(const Box& b) const {
        const double dx = std::max({0.0, b.minX - maxX, minX - b.maxX});
        const double dy = std::max({0.0, b.minY - maxY, minY - b.maxY});
        return std::sqrt(dx * dx + dy * dy);
    }
};

double Cross(double ax, double ay, double bx, double by) {
    return ax * by - ay * bx;
}

// The nearest points of segments ab and cd, as fractions along each.
struct Nearest {
    double distance = std::numeric_limits<double>::infinity();
    double t = 0.0;
    double u = 0.0;
};

Nearest NearestOnSegments(PlanePoint a, PlanePoint b, PlanePoint c, PlanePoint d) {
    const double rx = b.x - a.x, ry = b.y - a.y, sx = d.x - c.x, sy = d.y - c.y;
    const double denominator = Cross(rx, ry, sx, sy);
    if (denominator != 0.0) {
        const double t = Cross(c.x - a.x, c.y - a.y, sx, sy) / denominator;
        const double u = Cross(c.x - a.x, c.y - a.y, rx, ry) / denominator;
        if (t >= 0.0 && t <= 1.0 && u >= 0.0 && u <= 1.0)
            return {0.0, t, u};
    }
    Nearest best;
    auto consider = [&](PlanePoint p, PlanePoint from, PlanePoint to, bool onFirst, double end) {
        double along = 0.0;
        const double distance = DistanceToSegment(p, from, to, &along);
        if (distance < best.distance)
            best = onFirst ? Nearest{distance, along, end} : Nearest{distance, end, along};
    };
    consider(c, a, b, true, 0.0);
    consider(d, a, b, true, 1.0);
    consider(a, c, d, false, 0.0);
    consider(b, c, d, false, 1.0);
    return best;
}

PlanePoint Lerp(PlanePoint a, PlanePoint b, double t) {
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
}

struct Split {
    std::size_t segment = 0;
    double t = 0.0;
    std::size_t node = 0;
    PlanePoint at;
};

struct Bridge {
    double distance = 0.0;
    std::size_t edgeA = 0, segmentA = 0, edgeB = 0, segmentB = 0;
    double tA = 0.0, tB = 0.0;
    Polyline way; // along other streets, from the point on A to the one on B
};

// How often each vertex is used, and whether a line ends there: a vertex is a
// node where a line ends or where lines (or one line twice) pass through it.
// Lines must hold no point twice in a row.
std::map<Key, std::pair<int, bool>> VertexUses(const std::vector<Polyline>& lines) {
    std::map<Key, std::pair<int, bool>> uses;
    for (const Polyline& line : lines) {
        for (std::size_t i = 0; i < line.size() && line.size() >= 2; ++i) {
            if (i > 0 && line[i] == line[i - 1])
                continue;
            auto& [count, end] = uses[KeyOf(line[i])];
            ++count;
            end = end || i == 0 || i + 1 == line.size();
        }
    }
    return uses;
}

// Appends the points of `line` walked from its front (or its back), without
// repeating the point where the walk already is.
void Append(Polyline& out, const Polyline& line, bool forward) {
    const std::size_t n = line.size();
    for (std::size_t i = 0; i < n; ++i) {
        const PlanePoint& p = line[forward ? i : n - 1 - i];
        if (out.empty() || !(out.back() == p))
            out.push_back(p);
    }
}

// Shortest distances from `source` over the edges, and the edge each node is
// reached by.
void ShortestPaths(const StreetGraph& graph, const std::vector<std::vector<std::size_t>>& incident,
                   std::size_t source, std::vector<double>& distance,
                   std::vector<std::size_t>& via) {
    distance.assign(graph.nodes.size(), std::numeric_limits<double>::infinity());
    via.assign(graph.nodes.size(), kNone);
    using Entry = std::pair<double, std::size_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    distance[source] = 0.0;
    queue.push({0.0, source});
    while (!queue.empty()) {
        const auto [d, u] = queue.top();
        queue.pop();
        if (d > distance[u])
            continue;
        for (std::size_t e : incident[u]) {
            const StreetGraph::Edge& edge = graph.edges[e];
            const std::size_t v = edge.from == u ? edge.to : edge.from;
            if (d + edge.length < distance[v]) {
                distance[v] = d + edge.length;
                via[v] = e;
                queue.push({distance[v], v});
            }
        }
    }
}

std::size_t Farthest(const std::vector<double>& distance) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < distance.size(); ++i)
        if (std::isfinite(distance[i]) && distance[i] > distance[at])
            at = i;
    return at;
}

} // namespace

double StreetGraph::Length() const {
    double total = 0.0;
    for (const Edge& e : edges)
        total += e.length;
    return total;
}

double StreetGraph::OwnLength() const {
    double total = 0.0;
    for (const Edge& e : edges)
        if (e.source != kLink)
            total += e.length;
    return total;
}

CTownStreets::CTownStreets(const std::vector<Polyline>& lines) {
    const std::map<Key, std::pair<int, bool>> uses = VertexUses(lines);
    auto node = [&](PlanePoint p) {
        const auto [it, added] = m_nodeAt.emplace(KeyOf(p), m_nodes.size());
        if (added) {
            m_nodes.push_back(p);
            m_ways.emplace_back();
        }
        return it->second;
    };
    for (const Polyline& line : lines) {
        if (line.size() < 2)
            continue;
        std::size_t from = node(line.front());
        Polyline piece{line.front()};
        for (std::size_t i = 1; i < line.size(); ++i) {
            if (line[i] == piece.back())
                continue;
            piece.push_back(line[i]);
            const auto& [count, end] = uses.at(KeyOf(line[i]));
            if (count < 2 && !end)
                continue;
            const std::size_t to = node(line[i]);
            const double length = PolylineLength(piece);
            m_ways[from].push_back({to, m_lines.size(), true, length});
            m_ways[to].push_back({from, m_lines.size(), false, length});
            m_lines.push_back(std::move(piece));
            from = to;
            piece = {line[i]};
        }
    }
}

std::vector<std::pair<long, Polyline>>
CTownStreets::Ways(const std::vector<PlanePoint>& from, double reach,
                   const std::function<long(PlanePoint)>& groupOf) const {
    std::vector<std::pair<long, Polyline>> found;
    std::unordered_map<std::size_t, double> distance;
    std::unordered_map<std::size_t, std::pair<std::size_t, const Way*>> came; // node before, way
    using Entry = std::pair<double, std::size_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    for (const PlanePoint& p : from) {
        const auto it = m_nodeAt.find(KeyOf(p));
        if (it != m_nodeAt.end() && distance.emplace(it->second, 0.0).second)
            queue.push({0.0, it->second});
    }
    std::vector<bool> reached;
    while (!queue.empty()) {
        const auto [d, u] = queue.top();
        queue.pop();
        if (d > distance[u])
            continue;
        const long group = groupOf(m_nodes[u]);
        if (group >= 0) {
            if (static_cast<std::size_t>(group) >= reached.size())
                reached.resize(static_cast<std::size_t>(group) + 1, false);
            if (!reached[static_cast<std::size_t>(group)]) {
                reached[static_cast<std::size_t>(group)] = true;
                std::vector<const Way*> steps;
                for (std::size_t v = u; came.count(v); v = came[v].first)
                    steps.push_back(came[v].second);
                Polyline line;
                for (auto it = steps.rbegin(); it != steps.rend(); ++it)
                    Append(line, m_lines[(*it)->line], (*it)->forward);
                if (line.size() >= 2)
                    found.push_back({group, std::move(line)});
            }
            continue; // a way ends at the first piece it meets
        }
        for (const Way& way : m_ways[u]) {
            const double next = d + way.length;
            if (next > reach)
                continue;
            const auto it = distance.find(way.to);
            if (it != distance.end() && it->second <= next)
                continue;
            distance[way.to] = next;
            came[way.to] = {u, &way};
            queue.push({next, way.to});
        }
    }
    return found;
}

std::vector<StreetGraph> StreetNetworks(std::vector<Polyline> lines, double gap,
                                        const CTownStreets* town, double reach) {
    for (Polyline& line : lines)
        line.erase(std::unique(line.begin(), line.end()), line.end());

    const std::map<Key, std::pair<int, bool>> uses = VertexUses(lines);
    std::vector<PlanePoint> nodes;
    std::map<Key, std::size_t> nodeAt;
    auto node = [&](PlanePoint p) {
        const auto [it, added] = nodeAt.emplace(KeyOf(p), nodes.size());
        if (added)
            nodes.push_back(p);
        return it->second;
    };
    std::vector<StreetGraph::Edge> edges;
    for (std::size_t source = 0; source < lines.size(); ++source) {
        const Polyline& line = lines[source];
        if (line.size() < 2)
            continue;
        std::size_t from = node(line.front());
        Polyline piece{line.front()};
        for (std::size_t i = 1; i < line.size(); ++i) {
            piece.push_back(line[i]);
            const auto& [count, end] = uses.at(KeyOf(line[i]));
            if (count < 2 && !end)
                continue;
            const std::size_t to = node(line[i]);
            edges.push_back({from, to, std::move(piece), 0.0, source});
            from = to;
            piece = {line[i]};
        }
    }

    CUnion networks;
    for (const StreetGraph::Edge& e : edges)
        networks.Unite(e.from, e.to);
    std::map<std::size_t, std::vector<std::size_t>> edgesOf;
    for (std::size_t e = 0; e < edges.size(); ++e)
        edgesOf[networks.Find(edges[e].from)].push_back(e);

    // Networks that come within the gap are joined where they come nearest,
    // the nearest pairs first, so that each is joined to another only once.
    std::vector<Bridge> bridges;
    if ((gap > 0.0 || (town && reach > 0.0)) && edgesOf.size() > 1) {
        std::vector<Box> edgeBox(edges.size());
        for (std::size_t e = 0; e < edges.size(); ++e)
            for (const PlanePoint& p : edges[e].line)
                edgeBox[e].Add(p);
        std::vector<const std::vector<std::size_t>*> groups;
        std::vector<Box> groupBox;
        for (const auto& [root, members] : edgesOf) {
            groups.push_back(&members);
            groupBox.emplace_back();
            for (std::size_t e : members)
                groupBox.back().Add(edgeBox[e]);
        }
        for (std::size_t i = 0; i < groups.size(); ++i) {
            for (std::size_t j = i + 1; j < groups.size(); ++j) {
                if (groupBox[i].Gap(groupBox[j]) > gap)
                    continue;
                Bridge best;
                best.distance = std::numeric_limits<double>::infinity();
                for (std::size_t a : *groups[i]) {
                    for (std::size_t b : *groups[j]) {
                        if (edgeBox[a].Gap(edgeBox[b]) > std::min(gap, best.distance))
                            continue;
                        const Polyline& la = edges[a].line;
                        const Polyline& lb = edges[b].line;
                        for (std::size_t sa = 0; sa + 1 < la.size(); ++sa) {
                            for (std::size_t sb = 0; sb + 1 < lb.size(); ++sb) {
                                const Nearest n =
                                    NearestOnSegments(la[sa], la[sa + 1], lb[sb], lb[sb + 1]);
                                if (n.distance < best.distance)
                                    best = {n.distance, a, sa, b, sb, n.t, n.u, {}};
                            }
                        }
                    }
                }
                if (best.distance <= gap)
                    bridges.push_back(best);
            }
        }
        if (town && reach > 0.0) {
            // Where each vertex of a network lies, as the edge and segment from it.
            std::map<Key, std::pair<std::size_t, std::size_t>> vertexAt;
            std::map<Key, long> groupAt;
            for (std::size_t g = 0; g < groups.size(); ++g) {
                for (std::size_t e : *groups[g]) {
                    const Polyline& line = edges[e].line;
                    for (std::size_t v = 0; v < line.size(); ++v) {
                        vertexAt.emplace(KeyOf(line[v]), std::pair{e, v});
                        groupAt.emplace(KeyOf(line[v]), static_cast<long>(g));
                    }
                }
            }
            auto place = [&](PlanePoint p, std::size_t& edge, std::size_t& segment, double& t) {
                const auto [e, v] = vertexAt.at(KeyOf(p));
                edge = e;
                segment = v + 1 < edges[e].line.size() ? v : v - 1;
                t = v + 1 < edges[e].line.size() ? 0.0 : 1.0;
            };
            for (std::size_t g = 0; g < groups.size(); ++g) {
                std::vector<PlanePoint> from;
                for (std::size_t e : *groups[g])
                    from.insert(from.end(), edges[e].line.begin(), edges[e].line.end());
                const auto ways = town->Ways(from, reach, [&](PlanePoint p) {
                    const auto it = groupAt.find(KeyOf(p));
                    return it == groupAt.end() || it->second == static_cast<long>(g) ? -1L
                                                                                     : it->second;
                });
                for (const auto& [other, way] : ways) {
                    if (static_cast<std::size_t>(other) < g)
                        continue; // found from the other side as well
                    Bridge b;
                    b.distance = PolylineLength(way);
                    place(way.front(), b.edgeA, b.segmentA, b.tA);
                    place(way.back(), b.edgeB, b.segmentB, b.tB);
                    b.way = way;
                    bridges.push_back(std::move(b));
                }
            }
        }
        std::stable_sort(bridges.begin(), bridges.end(),
                         [](const Bridge& p, const Bridge& q) { return p.distance < q.distance; });
    }

    std::vector<std::vector<Split>> splits(edges.size());
    CUnion same; // nodes that turned out to be one place
    auto splitAt = [&](std::size_t e, std::size_t segment, double t) {
        const StreetGraph::Edge& edge = edges[e];
        const PlanePoint p = Lerp(edge.line[segment], edge.line[segment + 1], t);
        if (p == edge.line.front())
            return edge.from;
        if (p == edge.line.back())
            return edge.to;
        for (const Split& s : splits[e])
            if (s.at == p)
                return s.node;
        nodes.push_back(p);
        splits[e].push_back({segment, t, nodes.size() - 1, p});
        return nodes.size() - 1;
    };
    std::vector<StreetGraph::Edge> joins;
    for (const Bridge& b : bridges) {
        if (networks.Find(edges[b.edgeA].from) == networks.Find(edges[b.edgeB].from))
            continue;
        networks.Unite(edges[b.edgeA].from, edges[b.edgeB].from);
        const std::size_t a = splitAt(b.edgeA, b.segmentA, b.tA);
        const std::size_t c = splitAt(b.edgeB, b.segmentB, b.tB);
        if (!b.way.empty())
            joins.push_back({a, c, b.way, 0.0, StreetGraph::kLink});
        else if (nodes[a] == nodes[c] || b.distance == 0.0)
            same.Unite(a, c);
        else
            joins.push_back({a, c, {nodes[a], nodes[c]}, 0.0});
    }

    std::vector<StreetGraph::Edge> all;
    for (std::size_t e = 0; e < edges.size(); ++e) {
        StreetGraph::Edge& edge = edges[e];
        std::vector<Split>& at = splits[e];
        if (at.empty()) {
            all.push_back(std::move(edge));
            continue;
        }
        std::sort(at.begin(), at.end(), [](const Split& p, const Split& q) {
            return p.segment != q.segment ? p.segment < q.segment : p.t < q.t;
        });
        std::size_t from = edge.from, next = 1;
        Polyline piece{edge.line.front()};
        for (const Split& s : at) {
            for (; next <= s.segment; ++next)
                piece.push_back(edge.line[next]);
            if (!(piece.back() == s.at))
                piece.push_back(s.at);
            all.push_back({from, s.node, std::move(piece), 0.0, edge.source});
            from = s.node;
            piece = {s.at};
        }
        for (; next < edge.line.size(); ++next)
            if (!(piece.back() == edge.line[next]))
                piece.push_back(edge.line[next]);
        all.push_back({from, edge.to, std::move(piece), 0.0, edge.source});
    }
    all.insert(all.end(), std::make_move_iterator(joins.begin()),
               std::make_move_iterator(joins.end()));

    CUnion parts;
    for (StreetGraph::Edge& e : all) {
        e.from = same.Find(e.from);
        e.to = same.Find(e.to);
        e.length = PolylineLength(e.line);
        parts.Unite(e.from, e.to);
    }
    std::vector<StreetGraph> graphs;
    std::map<std::size_t, std::size_t> graphOf;
    std::vector<std::map<std::size_t, std::size_t>> renumber;
    for (StreetGraph::Edge& e : all) {
        const auto [it, added] = graphOf.emplace(parts.Find(e.from), graphs.size());
        if (added) {
            graphs.emplace_back();
            renumber.emplace_back();
        }
        const std::size_t index = it->second;
        StreetGraph& g = graphs[index];
        auto local = [&](std::size_t n) {
            const auto [at, fresh] = renumber[index].emplace(n, g.nodes.size());
            if (fresh)
                g.nodes.push_back(nodes[n]);
            return at->second;
        };
        e.from = local(e.from);
        e.to = local(e.to);
        g.edges.push_back(std::move(e));
    }
    return graphs;
}

Polyline WalkStreet(const StreetGraph& graph) {
    if (graph.edges.empty())
        return {};
    const std::size_t n = graph.nodes.size();
    std::vector<std::vector<std::size_t>> incident(n);
    for (std::size_t e = 0; e < graph.edges.size(); ++e) {
        incident[graph.edges[e].from].push_back(e);
        if (graph.edges[e].to != graph.edges[e].from)
            incident[graph.edges[e].to].push_back(e);
    }
    // The longest path, nearly: the farthest node from anywhere, and the
    // farthest from that.
    std::vector<double> distance;
    std::vector<std::size_t> via;
    ShortestPaths(graph, incident, graph.edges.front().from, distance, via);
    const std::size_t a = Farthest(distance);
    ShortestPaths(graph, incident, a, distance, via);
    const std::size_t b = Farthest(distance);
    // A street of one piece starts at its end, not half-way along it.
    const double half = distance[b] / 2;
    std::size_t root = a;
    for (std::size_t v = b; v != a;) {
        if (std::abs(distance[v] - half) < std::abs(distance[root] - half))
            root = v;
        const StreetGraph::Edge& e = graph.edges[via[v]];
        v = e.from == v ? e.to : e.from;
    }

    // The shortest paths from `a` are a tree; hung from the root, every
    // subtree is walked into and back out of, except the one towards `b`,
    // where the walk ends.
    std::vector<bool> tree(graph.edges.size(), false);
    for (std::size_t v = 0; v < n; ++v)
        if (via[v] != kNone)
            tree[via[v]] = true;
    std::vector<bool> towardsEnd(n, false);
    {
        std::vector<std::size_t> up(n, kNone);
        std::vector<std::size_t> order{root};
        std::vector<bool> seen(n, false);
        seen[root] = true;
        for (std::size_t i = 0; i < order.size(); ++i) {
            for (std::size_t e : incident[order[i]]) {
                const StreetGraph::Edge& edge = graph.edges[e];
                const std::size_t v = edge.from == order[i] ? edge.to : edge.from;
                if (tree[e] && !seen[v]) {
                    seen[v] = true;
                    up[v] = order[i];
                    order.push_back(v);
                }
            }
        }
        for (std::size_t v = b; v != kNone; v = up[v])
            towardsEnd[v] = true;
    }

    // Each step walks one edge into `node`; a visit then walks on from there.
    struct Step {
        std::size_t edge = kNone;
        std::size_t node = 0;
        bool visit = false;
        bool back = false; // once the visit is done, walk the edge back out
    };
    Polyline walk{graph.nodes[root]};
    std::vector<bool> used(graph.edges.size(), false);
    std::vector<Step> steps{{kNone, root, true, false}};
    std::vector<Step> next;
    auto otherEnd = [&](std::size_t e, std::size_t u) {
        return graph.edges[e].from == u ? graph.edges[e].to : graph.edges[e].from;
    };
    while (!steps.empty()) {
        const Step step = steps.back();
        steps.pop_back();
        const std::size_t u = step.node;
        if (step.edge != kNone)
            Append(walk, graph.edges[step.edge].line, graph.edges[step.edge].to == u);
        if (!step.visit)
            continue;
        next.clear();
        std::size_t last = kNone;
        for (std::size_t e : incident[u]) {
            if (used[e])
                continue;
            used[e] = true;
            const std::size_t v = otherEnd(e, u);
            if (!tree[e]) {
                // A piece that closes a loop: along it and back, or once round
                // a piece that is a loop by itself.
                next.push_back({e, v, false, false});
                if (v != u)
                    next.push_back({e, u, false, false});
            } else if (towardsEnd[v]) {
                last = e;
            } else {
                next.push_back({e, v, true, true});
            }
        }
        if (last != kNone)
            next.push_back({last, otherEnd(last, u), true, false});
        if (step.back)
            next.push_back({step.edge, otherEnd(step.edge, u), false, false});
        steps.insert(steps.end(), next.rbegin(), next.rend());
    }
    return walk;
}

std::vector<Polyline> StreetStrokes(const StreetGraph& graph, double maxTurn) {
    const std::size_t ends = graph.edges.size() * 2;
    // End 2e is edge e at its `from` node, 2e + 1 at its `to` node.
    auto nodeOf = [&](std::size_t end) {
        const StreetGraph::Edge& e = graph.edges[end / 2];
        return end % 2 ? e.to : e.from;
    };
    // The unit direction in which the edge leaves its node at this end.
    auto leaving = [&](std::size_t end) {
        const Polyline& line = graph.edges[end / 2].line;
        const bool forward = end % 2 == 0;
        const PlanePoint from = forward ? line.front() : line.back();
        PlanePoint to = forward ? line.back() : line.front();
        for (std::size_t i = 1; i < line.size(); ++i) {
            const PlanePoint& p = line[forward ? i : line.size() - 1 - i];
            if (Distance(from, p) >= kDirectionReach) {
                to = p;
                break;
            }
        }
        const double length = Distance(from, to);
        return length > 0.0 ? PlanePoint{(to.x - from.x) / length, (to.y - from.y) / length}
                            : PlanePoint{};
    };
    std::vector<bool> used(graph.edges.size(), false);
    std::vector<std::vector<std::size_t>> at(graph.nodes.size());
    for (std::size_t end = 0; end < ends; ++end) {
        if (graph.edges[end / 2].source == StreetGraph::kLink)
            used[end / 2] = true;
        else
            at[nodeOf(end)].push_back(end);
    }
    std::vector<std::size_t> partner(ends, kNone);
    for (const std::vector<std::size_t>& here : at) {
        if (here.size() == 2) {
            partner[here[0]] = here[1];
            partner[here[1]] = here[0];
            continue;
        }
        struct Pair {
            double turn = 0.0;
            std::size_t p = 0, q = 0;
        };
        std::vector<Pair> pairs;
        for (std::size_t i = 0; i < here.size(); ++i) {
            const PlanePoint di = leaving(here[i]);
            for (std::size_t j = i + 1; j < here.size(); ++j) {
                const PlanePoint dj = leaving(here[j]);
                // Going straight on, one piece leaves opposite to where the other arrives.
                const double turn = std::acos(std::clamp(-(di.x * dj.x + di.y * dj.y), -1.0, 1.0));
                if (turn <= maxTurn)
                    pairs.push_back({turn, here[i], here[j]});
            }
        }
        std::stable_sort(pairs.begin(), pairs.end(),
                         [](const Pair& x, const Pair& y) { return x.turn < y.turn; });
        for (const Pair& pair : pairs) {
            if (partner[pair.p] == kNone && partner[pair.q] == kNone) {
                partner[pair.p] = pair.q;
                partner[pair.q] = pair.p;
            }
        }
    }

    std::vector<Polyline> strokes;
    auto trace = [&](std::size_t end) {
        Polyline stroke;
        while (!used[end / 2]) {
            used[end / 2] = true;
            Append(stroke, graph.edges[end / 2].line, end % 2 == 0);
            const std::size_t next = partner[end ^ 1];
            if (next == kNone)
                break;
            end = next;
        }
        strokes.push_back(std::move(stroke));
    };
    for (std::size_t end = 0; end < ends; ++end)
        if (partner[end] == kNone && !used[end / 2])
            trace(end);
    for (std::size_t e = 0; e < graph.edges.size(); ++e)
        if (!used[e])
            trace(2 * e);
    return strokes;
}
