// The sea: one simulated patch repeated as up to 8 x 8 tiles around the
// viewer, culled against the view wedge (view.cpp) and sent in immediate
// mode, the water's programs bound around them when the view shades per pixel.
#include "ocean/ocean_state.h"
#include "render/gl_api.h"
#include "render/render_state.h"
#include "render/texture_upload.h"

namespace {

// Reflection vectors from texture-coordinate generation, in eye space; the
// texture matrix turns them back into the y-up world frame of the tiles.
// The cube map's texel is the water's colour.
void beginReflectionMapping() {
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    glEnable(GL_TEXTURE_CUBE_MAP);
    glBindTexture(GL_TEXTURE_CUBE_MAP, envCubeTexture);
    enableReflectionMapCoordinates();
    setTextureWraps(GL_TEXTURE_CUBE_MAP, GL_CLAMP_TO_EDGE);
}

// The vertex program's matrix takes the view's -90-degree turn and the
// water's lift but neither heading nor pitch: it maps a tile point (x, y, z)
// to the y-up world point (x, z + 120, -y) in every frame.
void buildModelToWorldMatrix() {
    matrixSetIdentity(modelToWorldMatrix);
    matrixRotate(modelToWorldMatrix, -90.0f, 0.0f);
    matrixSetTranslation(modelToWorldMatrix, 0.0f, waterLift, 0.0f);
}

// The eye goes to the origin.
void applyWaterView(const FrameView& view) {
    const Vector3d eye = eyePosition(view.cameraX, view.cameraY);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(view.pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(view.heading, 0.0f, 0.0f, 1.0f);
    glTranslated(-eye.x, -eye.y, -eye.z);
}

// Undoes the view rotation but for its -90 degree turn.
void applyReflectionTextureMatrix(const FrameView& view) {
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glRotatef(-view.heading, 0.0f, 1.0f, 0.0f);
    glRotatef(-view.pitch, 1.0f, 0.0f, 0.0f);
}

void emitVertex(int a, int l, double offsetX, double offsetY) {
    const Vector3d& p = renderGrid.positions[a][l];
    const Vector3d& n = renderGrid.normals[a][l];
    glTexCoord2f(static_cast<float>(a) / gridSize * normalMapRepeats,
                 static_cast<float>(l) / gridSize * normalMapRepeats);
    glNormal3d(n.x, n.y, n.z);
    glVertex3f(static_cast<float>(offsetX + p.x), static_cast<float>(offsetY + p.y),
               static_cast<float>(heightScale * p.z));
}

void drawTile(int tx, int ty) {
    double offsetX = tx * patchLength;
    double offsetY = ty * patchLength;
    for (int k = 0; k < gridSize; ++k) {
        glBegin(GL_TRIANGLE_STRIP);
        for (int l = 0; l < renderGridSize; ++l) {
            emitVertex(k, l, offsetX, offsetY);
            emitVertex(k + 1, l, offsetX, offsetY);
        }
        glEnd();
    }
}

void endReflectionMapping() {
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    disableTextureCoordinateGeneration();
    glDisable(GL_TEXTURE_CUBE_MAP);
}

} // namespace

// Leaves the cube maps it reflects with off again, as the drawers after it
// expect.
void drawWaterTiles(const FrameView& view) {
    tilesDrawn = 0;
    glPushMatrix();
    buildModelToWorldMatrix();
    beginReflectionMapping();
    applyWaterView(view);
    applyReflectionTextureMatrix(view);
    if (view.perPixelShading)
        bindShaderPrograms();
    const int centreTileX = tileIndexOf(view.cameraX);
    const int centreTileY = tileIndexOf(view.cameraY);
    const CandidateTiles candidates = cullCandidateTiles(centreTileX, centreTileY);
    for (int a = 0; a < tilesPerSide; ++a) {
        for (int b = 0; b < tilesPerSide; ++b) {
            if (!candidates.visible[a][b])
                continue;
            ++tilesDrawn;
            drawTile(candidates.firstTileX + a, candidates.firstTileY + b);
            if (tilesDrawn % tilesPerFlush == 0)
                glFlush();
        }
    }
    if (view.perPixelShading)
        unbindShaderPrograms();
    endReflectionMapping();
    glPopMatrix();
}
