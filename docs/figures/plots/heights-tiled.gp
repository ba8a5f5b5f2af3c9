# The heights of one patch drawn as 2 x 2 tiles: the patch repeats with no
# seam.
load 'style.gpi'
load 'numbers/values.txt'
set output 'heights-tiled.png'
eval canvas(900, 800)
set title sprintf("The fixed sea's heights, one %d x %d patch repeated 2 x 2 (dashed: tile borders)", patch_length, patch_length)
set xlabel 'x (world units)'
set ylabel 'y (world units)'
set cblabel 'height (world units before the x 0.1 height scale)'
set size ratio -1
@pal_signed
r = half_range(height_min, height_max)
set cbrange [-r:r]
L = patch_length
s = lattice_spacing
set xrange [-s/2:2*L - s/2]
set yrange [-s/2:2*L - s/2]
set arrow 1 from L - s/2, graph 0 to L - s/2, graph 1 nohead ls 5 front
set arrow 2 from graph 0, first L - s/2 to graph 1, first L - s/2 nohead ls 5 front
set key off
plot for [tx=0:1] for [ty=0:1] 'numbers/heights.dat' matrix \
    using ($2*s + tx*L):($1*s + ty*L):3 with image
