# One line of the lattice along the wind over a few hundred steps: the
# streaks are crests and troughs on their way, their slopes phase speeds.
load 'style.gpi'
load 'numbers/values.txt'
set output 'space-time.png'
set terminal pngcairo size 1100,760
T = (space_time_steps - 1) * space_time_interval
D = grid_size * space_time_spacing
set title sprintf("Heights along the wind (lattice points (n, n)) over %d steps of %.4g s, the fixed sea at running time 0\nlines: slope = phase speed √(g/|k|), for wavelengths %.1f, %.1f and %.1f units", space_time_steps, space_time_interval, marked_wavelength_1, marked_wavelength_2, marked_wavelength_3)
set xlabel sprintf('running time (s); the wave time is %g minus this', fixed_sea_wave_time)
set ylabel 'distance along the wind (world units)'
set cblabel 'height (world units before the x 0.1 height scale)'
@pal_signed
r = half_range(height_min, height_max)
set cbrange [-r:r]
set xrange [0:T]
set yrange [0:D - space_time_spacing]
set bmargin 6
set key at screen 0.45, screen 0.04 center bottom horizontal box opaque
# Each marked speed drawn both ways from the middle of the line: the spectrum
# gives the waves against the wind as much energy as those with it.
mid = D / 2
plot 'numbers/space-time.dat' matrix using ($2*space_time_interval):($1*space_time_spacing):3 with image notitle, \
     for [n=1:3] '+' using 1:(mid + value(sprintf('marked_phase_speed_%d', n))*$1) with lines ls n+1 \
        title sprintf('c = %.2f units/s (λ = %.1f)', value(sprintf('marked_phase_speed_%d', n)), value(sprintf('marked_wavelength_%d', n))), \
     for [n=1:3] '+' using 1:(mid - value(sprintf('marked_phase_speed_%d', n))*$1) with lines ls n+1 notitle
