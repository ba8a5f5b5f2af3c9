# The water's reflection weight against the angle from the vertical, as the
# vertex program computes it (render-figures runs shaders/v.cg), beside the
# reflectance of real water.
load 'style.gpi'
set output 'reflection-weight.png'
values = 'numbers/render-values.txt'
quoted(key) = real(system(sprintf("awk -v k=%s '$1 == k { print $3 }' %s", key, values)))
weight_one = quoted('reflection_weight_is_one_from_deg')
head_on = quoted('reflection_weight_head_on')
water_head_on = quoted('water_reflectance_head_on')
set title "How much of the mirrored sky the water shows, against the angle of view"
set xlabel 'θ: the angle between the normal (here the vertical) and the ray back to the eye (degrees)'
set ylabel 'share of the mirrored sky'
set xrange [0:90]
set yrange [0:1.05]
set xtics 0, 10, 90
set ytics 0, 0.1, 1
set grid ls 6 lc rgb '#dddddd'
set key at 2, 0.8 left top Left reverse box opaque
set arrow from weight_one, graph 0 to weight_one, graph 1 nohead ls 5
set label sprintf("the weight reaches 1 at %.1f° and stays there:\nfar water is a full mirror", \
                  weight_one) at 2, 0.94 left
set arrow from 47, 0.95 to weight_one - 0.5, 1 head filled size 1.5, 20 ls 6
set label sprintf("head on: the weight %.3f,\nreal water %.3f", head_on, water_head_on) \
    at 2, 0.12 left
plot 'numbers/reflection-weight.dat' using 1:2 with lines ls 1 \
         title "the viewer's weight, run through v.cg", \
     '' using 1:3 with lines ls 2 \
         title sprintf("real water (Fresnel, unpolarised, n = %.3f)", \
                       quoted('water_refractive_index')), \
     '' using 1:4 with lines ls 3 dt 2 \
         title "Schlick: R0 + (1 - R0)(1 - cos θ)^5"
