// SPDX-License-Identifier: GPL-3.0-or-later
#include "tessellator.h"

#include <GL/glu.h>

#include <cmath>
#include <deque>
#include <stdexcept>

namespace meshgen {

namespace {

struct Node
{
    GLdouble xyz[3];
    int index;
};

struct Session
{
    std::deque<Node> nodes; // stable addresses: GLU keeps pointers to them
    std::vector<int> primitive;
    std::vector<std::vector<int>> loops;
    std::vector<std::array<int, 3>> triangles;
    GLenum error = 0;

    Node *add(double x, double y)
    {
        nodes.push_back(Node {{x, y, 0.0}, static_cast<int>(nodes.size())});
        return &nodes.back();
    }
};

void GLAPIENTRY onBegin(GLenum, void *data)
{
    static_cast<Session *>(data)->primitive.clear();
}

void GLAPIENTRY onVertex(void *vertex, void *data)
{
    static_cast<Session *>(data)->primitive.push_back(static_cast<Node *>(vertex)->index);
}

void GLAPIENTRY onEnd(void *data)
{
    auto *session = static_cast<Session *>(data);
    session->loops.push_back(session->primitive);
}

// Its mere presence makes GLU emit plain triangles instead of fans and strips.
void GLAPIENTRY onEdgeFlag(GLboolean, void *) { }

void GLAPIENTRY onCombine(GLdouble coords[3], void *[4], GLfloat[4], void **out, void *data)
{
    *out = static_cast<Session *>(data)->add(coords[0], coords[1]);
}

void GLAPIENTRY onError(GLenum error, void *data)
{
    static_cast<Session *>(data)->error = error;
}

void run(Session &session, const Profile &profile, bool boundaryOnly)
{
    GLUtesselator *tess = gluNewTess();
    if (!tess)
        throw std::runtime_error("cannot create a GLU tessellator");
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, reinterpret_cast<_GLUfuncptr>(&onBegin));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<_GLUfuncptr>(&onVertex));
    gluTessCallback(tess, GLU_TESS_END_DATA, reinterpret_cast<_GLUfuncptr>(&onEnd));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<_GLUfuncptr>(&onCombine));
    gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<_GLUfuncptr>(&onError));
    if (!boundaryOnly)
        gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<_GLUfuncptr>(&onEdgeFlag));
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
    gluTessProperty(tess, GLU_TESS_BOUNDARY_ONLY, boundaryOnly ? GL_TRUE : GL_FALSE);
    gluTessNormal(tess, 0.0, 0.0, 1.0);

    std::vector<std::vector<Node *>> contours;
    for (const Contour &contour : profile) {
        std::vector<Node *> nodes;
        for (const QPointF &p : contour)
            nodes.push_back(session.add(p.x(), p.y()));
        contours.push_back(std::move(nodes));
    }
    gluTessBeginPolygon(tess, &session);
    for (const auto &contour : contours) {
        gluTessBeginContour(tess);
        for (Node *node : contour)
            gluTessVertex(tess, node->xyz, node);
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);
    if (session.error != 0)
        throw std::runtime_error("the GLU tessellator failed with error "
                                 + std::to_string(session.error));
}

// Drops the points where an outline goes straight on (where a curve joins a stem tangentially,
// say): the tessellator would fill them with zero-area triangles.
Contour withoutStraightJoints(const Contour &contour)
{
    Contour out;
    const qsizetype n = contour.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF before = contour[i] - contour[(i + n - 1) % n];
        const QPointF after = contour[(i + 1) % n] - contour[i];
        const double cross = before.x() * after.y() - before.y() * after.x();
        const double dot = before.x() * after.x() + before.y() * after.y();
        const double scale = std::hypot(before.x(), before.y()) * std::hypot(after.x(), after.y());
        if (!(dot > 0 && std::abs(cross) <= 1e-12 * scale))
            out.append(contour[i]);
    }
    return out;
}

QPointF pointOf(const Session &session, int index)
{
    const Node &node = session.nodes[static_cast<std::size_t>(index)];
    return {node.xyz[0], node.xyz[1]};
}

} // namespace

Profile Tessellator::tidy(const Profile &profile)
{
    Session session;
    run(session, profile, true);
    Profile out;
    for (const auto &loop : session.loops) {
        Contour contour;
        for (const int index : loop) {
            const QPointF p = pointOf(session, index);
            if (contour.isEmpty() || contour.last() != p)
                contour.append(p);
        }
        while (contour.size() > 1 && contour.first() == contour.last())
            contour.removeLast();
        contour = withoutStraightJoints(contour);
        if (contour.size() >= 3)
            out.append(contour);
    }
    return out;
}

Triangulation Tessellator::triangulate(const Profile &profile)
{
    Session session;
    run(session, profile, false);
    Triangulation out;
    for (std::size_t i = 0; i < session.nodes.size(); ++i)
        out.points.append(pointOf(session, static_cast<int>(i)));
    // GLU orients all its triangles alike; follow the whole set rather than each triangle, so
    // that a zero-area triangle still joins its neighbours the right way round.
    double area = 0;
    for (const auto &loop : session.loops) {
        for (std::size_t i = 0; i + 2 < loop.size(); i += 3) {
            out.triangles.push_back({loop[i], loop[i + 1], loop[i + 2]});
            const auto &t = out.triangles.back();
            area += doubledArea({out.points[t[0]], out.points[t[1]], out.points[t[2]]});
        }
    }
    if (area < 0) {
        for (auto &t : out.triangles)
            std::swap(t[1], t[2]);
    }
    return out;
}

} // namespace meshgen
