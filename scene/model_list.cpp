#include "scene/model_list.h"

#include "scene/model_data.h"

#include <GL/gl.h>

void BuildModelList(unsigned int listName, int part) {
    glNewList(listName, GL_COMPILE);
    const std::span<const ModelTriangle> triangles = ModelPartTriangles(part);
    if (!triangles.empty()) {
        // One batch of independent triangles and one normal each: the caller's material
        // and matrices apply to the whole part.
        glBegin(GL_TRIANGLES);
        for (const ModelTriangle& t : triangles) {
            glNormal3fv(t.normal);
            glVertex3fv(t.vertex[0]);
            glVertex3fv(t.vertex[1]);
            glVertex3fv(t.vertex[2]);
        }
        glEnd();
    }
    glEndList();
}
