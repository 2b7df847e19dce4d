// SPDX-License-Identifier: GPL-3.0-or-later
#include "extruder.h"

#include "tessellator.h"

#include <QRectF>

#include <cmath>
#include <stdexcept>
#include <vector>

namespace meshgen {

namespace {

QPointF unit(QPointF d)
{
    const double length = std::hypot(d.x(), d.y());
    return d / length;
}

} // namespace

void Extruder::extrude(MeshBuilder &builder, const Profile &profile, const Frame &frame,
                       const Options &options)
{
    if (!(options.front > options.back))
        throw std::invalid_argument("an extrusion needs its front above its back");
    const Profile tidy = Tessellator::tidy(profile);
    addCap(builder, tidy, frame, options.front, true);
    addCap(builder, tidy, frame, options.back, false);
    for (const Contour &contour : tidy)
        addWalls(builder, contour, frame, options);
}

void Extruder::addCap(MeshBuilder &builder, const Profile &profile, const Frame &frame,
                      double height, bool facingFront)
{
    const Triangulation triangulation = Tessellator::triangulate(profile);
    const QRectF box = boundsOf(profile);
    const QVector3D normal = facingFront ? frame.w : -frame.w;
    // Seen from behind the profile is mirrored; mirror u too so the texture is not.
    const QVector3D tangent = facingFront ? frame.u : -frame.u;

    std::vector<std::uint32_t> indices;
    for (const QPointF &p : triangulation.points) {
        double u = (p.x() - box.left()) / box.width();
        const double v = (p.y() - box.top()) / box.height();
        if (!facingFront)
            u = 1.0 - u;
        indices.push_back(builder.addVertex(
            {frame.point(p, height), normal, QVector2D(float(u), float(v)), frame.v, tangent}));
    }
    for (const auto &t : triangulation.triangles) {
        if (facingFront)
            builder.addTriangle(indices[t[0]], indices[t[1]], indices[t[2]]);
        else
            builder.addTriangle(indices[t[0]], indices[t[2]], indices[t[1]]);
    }
}

void Extruder::addWalls(MeshBuilder &builder, const Contour &contour, const Frame &frame,
                        const Options &options)
{
    const qsizetype n = contour.size();
    // The region lies left of every edge, so the outward normal is the edge turned clockwise.
    std::vector<QPointF> edgeNormals(n);
    std::vector<double> lengths(n);
    double perimeter = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF d = contour[(i + 1) % n] - contour[i];
        edgeNormals[i] = unit(QPointF(d.y(), -d.x()));
        lengths[i] = std::hypot(d.x(), d.y());
        perimeter += lengths[i];
    }
    const double smoothCos = std::cos(options.smoothAngleDegrees * M_PI / 180.0);
    // Normal at the start of edge i, where edge i-1 ends.
    const auto cornerNormal = [&](qsizetype i, qsizetype ownEdge) {
        const QPointF &before = edgeNormals[(i + n - 1) % n];
        const QPointF &after = edgeNormals[i];
        const double cosine = before.x() * after.x() + before.y() * after.y();
        if (cosine >= smoothCos)
            return unit(before + after);
        return edgeNormals[ownEdge];
    };

    double travelled = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype next = (i + 1) % n;
        const QPointF &a = contour[i];
        const QPointF &b = contour[next];
        const QVector3D normalA = frame.direction(cornerNormal(i, i)).normalized();
        const QVector3D normalB = frame.direction(cornerNormal(next, i)).normalized();
        const QVector3D tangent = frame.direction(unit(b - a));
        const float uA = float(travelled / perimeter);
        travelled += lengths[i];
        const float uB = float(travelled / perimeter);

        const auto backA = builder.addVertex(
            {frame.point(a, options.back), normalA, {uA, 0.0f}, frame.w, tangent});
        const auto backB = builder.addVertex(
            {frame.point(b, options.back), normalB, {uB, 0.0f}, frame.w, tangent});
        const auto frontB = builder.addVertex(
            {frame.point(b, options.front), normalB, {uB, 1.0f}, frame.w, tangent});
        const auto frontA = builder.addVertex(
            {frame.point(a, options.front), normalA, {uA, 1.0f}, frame.w, tangent});
        builder.addTriangle(backA, backB, frontB);
        builder.addTriangle(backA, frontB, frontA);
    }
}

} // namespace meshgen
