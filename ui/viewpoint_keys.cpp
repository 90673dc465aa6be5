#include "ui/viewpoint_keys.h"

#include "scene/fly_in_path.h"
#include "scene/gl_scene.h"
#include "scene/viewpoint.h"

#include <Qt>

ViewpointKeyAction ViewpointKeyActionFor(int qtKey) {
    using A = ViewpointKeyAction;
    constexpr float step = kViewpointKeyStep;
    switch (qtKey) {
    case Qt::Key_PageUp:
        return {A::Move, 0.0f, step, 0.0f};
    case Qt::Key_PageDown:
        return {A::Move, 0.0f, -step, 0.0f};
    case Qt::Key_Home:
        return {A::Home};
    case Qt::Key_Left:
        return {A::Move, 0.0f, 0.0f, -step};
    case Qt::Key_Up:
        return {A::Move, step, 0.0f, 0.0f};
    case Qt::Key_Right:
        return {A::Move, 0.0f, 0.0f, step};
    case Qt::Key_Down:
        return {A::Move, -step, 0.0f, 0.0f};
    default: // End and every other key
        return {};
    }
}

void OnViewpointKey(CGLScene& scene, int qtKey) {
    const ViewpointKeyAction action = ViewpointKeyActionFor(qtKey);
    switch (action.kind) {
    case ViewpointKeyAction::Move: {
        const auto eye = scene.Eye();
        scene.SetEye(eye[0] + action.dx, eye[1] + action.dy, eye[2] + action.dz);
        break;
    }
    case ViewpointKeyAction::Home:
        g_nFlyInStep = kFlyInSteps;
        scene.SetEye(kHomeEyeX, kHomeEyeY, kHomeEyeZ);
        break;
    case ViewpointKeyAction::None:
        break;
    }
}

void StepFlyIn(CGLScene& scene) {
    if (g_nFlyInStep < kFlyInSteps) {
        const float* row = g_FlyInPath[g_nFlyInStep];
        scene.SetEye(row[0], row[1], row[2]);
        ++g_nFlyInStep;
    }
}
