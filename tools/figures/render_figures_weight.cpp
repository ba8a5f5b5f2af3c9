// The reflection weight as the water's vertex program computes it: the
// program itself runs over a fan of rays from the eye, each meeting a level
// surface at another angle from the vertical, with the values the viewer
// hands it, and transform feedback records what it computes. Beside it the
// reflectance of real water for unpolarised light and Schlick's
// approximation of it.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "ocean/ocean_state.h"
#include "render/gl_api.h"
#include "render/render_state.h"
#include "render/shader_runtime.h"
#include "tools/figures/render_figures.h"

namespace {

constexpr double angleStepDegrees = 0.1;
constexpr int angleCount = 901; // 0 to 90 degrees
// How far from the eye each ray meets its surface: the weight depends on
// the ray's direction only.
constexpr double probeDistance = 10.0;
// The program's own ray and normal must make the angle meant, to this.
constexpr double angleAgreementDegrees = 0.05;
// The outputs recorded: waterMapCoord's w is the weight; the ray and the
// normal the program used confirm the angle.
const char* const recordedOutputs[] = {"waterMapCoord", "waterIncident", "waterNormal"};
constexpr int weightIndex = 3;
constexpr int incidentIndex = 4;
constexpr int normalIndex = 8;
constexpr int recordedFloats = 4 + 4 + 3;

struct Probe {
    float position[3]; // of the tiles, which modelToWorld carries into the world
    float normal[3];
};

struct Sample {
    double angle;       // degrees from the vertical
    double weight;      // the program's
    double reflectance; // real water's
    double schlick;     // Schlick's approximation of it
};

// modelToWorld only turns and lifts the tiles: a world vector goes back by
// the transposed turn.
void turnBack(const Matrix4& m, const double (&world)[3], float (&tile)[3]) {
    for (int c = 0; c < 3; ++c)
        tile[c] = static_cast<float>(m.element[c] * world[0] + m.element[4 + c] * world[1] +
                                     m.element[8 + c] * world[2]);
}

// In the world of the programs +y is up. The ray at the given angle from
// straight down, turned toward +x; the surface it meets lies level.
Probe probeAt(double angle) {
    const double radians = angle / degreesPerRadian;
    const double up[3] = {0.0, 1.0, 0.0};
    double fromLift[3];
    const double toward[3] = {std::sin(radians), -std::cos(radians), 0.0};
    const float lift[3] = {modelToWorldMatrix.element[3], modelToWorldMatrix.element[7],
                           modelToWorldMatrix.element[11]};
    for (int c = 0; c < 3; ++c)
        fromLift[c] = shaderEyePosition[c] + probeDistance * toward[c] - lift[c];
    Probe probe;
    turnBack(modelToWorldMatrix, fromLift, probe.position);
    turnBack(modelToWorldMatrix, up, probe.normal);
    return probe;
}

// The vertex program, bound with every value the viewer hands it, over the
// probes as points; nothing is drawn. Empty when fewer points came back.
std::vector<float> runVertexProgram(const std::vector<Probe>& probes) {
    const GLsizeiptr bytes =
        static_cast<GLsizeiptr>(probes.size() * recordedFloats * sizeof(float));
    GLuint buffer = 0;
    GLuint query = 0;
    glGenBuffers(1, &buffer);
    glGenQueries(1, &query);
    glBindBuffer(GL_TRANSFORM_FEEDBACK_BUFFER, buffer);
    glBufferData(GL_TRANSFORM_FEEDBACK_BUFFER, bytes, nullptr, GL_STATIC_READ);
    glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, buffer);
    glEnable(GL_RASTERIZER_DISCARD);
    bindShaderPrograms();
    glBeginQuery(GL_TRANSFORM_FEEDBACK_PRIMITIVES_WRITTEN, query);
    glBeginTransformFeedback(GL_POINTS);
    glBegin(GL_POINTS);
    for (const Probe& probe : probes) {
        glTexCoord2f(0.0f, 0.0f);
        glNormal3fv(probe.normal);
        glVertex3fv(probe.position);
    }
    glEnd();
    glEndTransformFeedback();
    glEndQuery(GL_TRANSFORM_FEEDBACK_PRIMITIVES_WRITTEN);
    unbindShaderPrograms();
    glDisable(GL_RASTERIZER_DISCARD);
    GLuint written = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &written);
    std::vector<float> recorded(probes.size() * recordedFloats);
    if (written == probes.size())
        glGetBufferSubData(GL_TRANSFORM_FEEDBACK_BUFFER, 0, bytes, recorded.data());
    else
        recorded.clear();
    glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, 0);
    glBindBuffer(GL_TRANSFORM_FEEDBACK_BUFFER, 0);
    glDeleteQueries(1, &query);
    glDeleteBuffers(1, &buffer);
    return recorded;
}

// Unpolarised light from air into water: the mean of the two polarisations'
// reflectances (Fresnel's equations), with the refractive index the
// programs refract with.
double waterReflectance(double angle) {
    const double index = 1.0 / etaRatio;
    const double cosIn = std::cos(angle / degreesPerRadian);
    const double sinOut = std::sin(angle / degreesPerRadian) / index;
    const double cosOut = std::sqrt(1.0 - sinOut * sinOut);
    const double across = (cosIn - index * cosOut) / (cosIn + index * cosOut);
    const double along = (cosOut - index * cosIn) / (cosOut + index * cosIn);
    return (across * across + along * along) / 2.0;
}

// R0 + (1 - R0)(1 - cos)^5, R0 the head-on reflectance ((n - 1)/(n + 1))^2.
double schlickReflectance(double angle) {
    const double index = 1.0 / etaRatio;
    const double headOn = (index - 1.0) * (index - 1.0) / ((index + 1.0) * (index + 1.0));
    return headOn + (1.0 - headOn) * std::pow(1.0 - std::cos(angle / degreesPerRadian), 5.0);
}

double programAngle(const float* record) {
    double facing = 0.0;
    for (int c = 0; c < 3; ++c)
        facing += record[incidentIndex + c] * record[normalIndex + c];
    return std::acos(std::fmin(1.0, -facing)) * degreesPerRadian;
}

bool measure(std::vector<Sample>& samples) {
    std::vector<Probe> probes;
    for (int k = 0; k < angleCount; ++k)
        probes.push_back(probeAt(k * angleStepDegrees));
    const std::vector<float> recorded = runVertexProgram(probes);
    if (recorded.empty()) {
        std::fprintf(stderr, "render-figures: the vertex program recorded nothing\n");
        return false;
    }
    for (int k = 0; k < angleCount; ++k) {
        const float* record = &recorded[static_cast<std::size_t>(k) * recordedFloats];
        const double angle = k * angleStepDegrees;
        if (std::fabs(programAngle(record) - angle) > angleAgreementDegrees) {
            std::fprintf(stderr, "render-figures: the program met the ray of %g degrees at %g\n",
                         angle, programAngle(record));
            return false;
        }
        samples.push_back(
            {angle, record[weightIndex], waterReflectance(angle), schlickReflectance(angle)});
    }
    return true;
}

// The angle from which the value stays at least the threshold, between
// samples rather than rounded up to the next one. The value may be clamped
// at the threshold from there on, so the crossing is found on the line
// through the last two samples below it, extended up to the threshold. Not a
// number when it ends below.
double angleFrom(const std::vector<Sample>& samples, double Sample::*value, double threshold) {
    auto below = samples.rbegin();
    while (below != samples.rend() && (*below).*value >= threshold)
        ++below;
    if (below == samples.rbegin())
        return std::nan("");
    const Sample& next = *(below - 1);
    if (below == samples.rend() || below + 1 == samples.rend())
        return next.angle;
    const Sample& last = *below;
    const Sample& before = *(below + 1);
    const double slope = (last.*value - before.*value) / (last.angle - before.angle);
    if (slope <= 0.0)
        return next.angle;
    return std::fmin(last.angle + (threshold - last.*value) / slope, next.angle);
}

const Sample& sampleAt(const std::vector<Sample>& samples, double angle) {
    return samples[static_cast<std::size_t>(std::lround(angle / angleStepDegrees))];
}

NumbersFile reflectionWeight(const std::vector<Sample>& samples) {
    NumbersFile file = numbersFile("reflection-weight.dat",
                                   "The water's reflection weight against the angle from the "
                                   "vertical,\nas the vertex program computes it, real water's "
                                   "reflectance and\nSchlick's approximation of it.\n"
                                   "angle_deg weight water_reflectance schlick");
    for (const Sample& s : samples)
        addRow(file, {s.angle, s.weight, s.reflectance, s.schlick});
    return file;
}

void quoteWeightValues(FigureOutput& out, const std::vector<Sample>& samples) {
    const double weightOne = angleFrom(samples, &Sample::weight, 1.0);
    quoteValue(out, "fresnel_bias", fresnelBias);
    quoteValue(out, "fresnel_scale", fresnelScale);
    quoteValue(out, "fresnel_power", fresnelPower);
    quoteValue(out, "eta_ratio", etaRatio);
    quoteValue(out, "water_refractive_index", 1.0 / etaRatio);
    quoteValue(out, "reflection_weight_head_on", samples.front().weight);
    quoteValue(out, "reflection_weight_at_45_deg", sampleAt(samples, 45.0).weight);
    quoteValue(out, "reflection_weight_at_60_deg", sampleAt(samples, 60.0).weight);
    quoteValue(out, "reflection_weight_is_one_from_deg", weightOne);
    quoteValue(out, "water_reflectance_head_on", samples.front().reflectance);
    quoteValue(out, "water_reflectance_at_45_deg", sampleAt(samples, 45.0).reflectance);
    quoteValue(out, "water_reflectance_at_60_deg", sampleAt(samples, 60.0).reflectance);
    quoteValue(out, "water_reflectance_where_weight_is_one",
               std::isnan(weightOne) ? weightOne : waterReflectance(weightOne));
    quoteValue(out, "water_reflectance_half_from_deg",
               angleFrom(samples, &Sample::reflectance, 0.5));
    quoteValue(out, "schlick_at_60_deg", sampleAt(samples, 60.0).schlick);
    quoteValue(out, "schlick_at_80_deg", sampleAt(samples, 80.0).schlick);
    quoteValue(out, "water_reflectance_at_80_deg", sampleAt(samples, 80.0).reflectance);
    quoteValue(out, "schlick_half_from_deg", angleFrom(samples, &Sample::schlick, 0.5));
    double largest = 0.0;
    for (const Sample& s : samples)
        largest = std::fmax(largest, std::fabs(s.schlick - s.reflectance));
    quoteValue(out, "schlick_largest_difference", largest);
}

} // namespace

// The start view's frame leaves the view values that the programs are
// handed; the programs are then linked anew, recording their outputs.
bool reflectionWeightFigure(FigureOutput& out) {
    drawFixedSeaFrame(seaViews[0], fixedSeaWaveTime);
    shaderCapturedVaryings = {recordedOutputs, sizeof recordedOutputs / sizeof recordedOutputs[0]};
    createShaderPrograms();
    std::vector<Sample> samples;
    if (!shaderProgramsUsable() || !measure(samples))
        return false;
    quoteWeightValues(out, samples);
    return saveNumbers(out, reflectionWeight(samples));
}
